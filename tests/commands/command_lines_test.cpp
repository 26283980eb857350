#include "commands/command_lines.h"

#include <gtest/gtest.h>

#include "commands/argument_split.h"

namespace kestrova {
namespace {

using Args = std::vector<std::string>;

TEST(DecoderCommand, WorkedExampleByteForByte) {
  DecoderCommandInput in{"E:\\Programs\\Decoder\\",
                         "D:\\Passes\\n18_1012.hrp",
                         "south",
                         "D:\\Images\\",
                         "n18_1012",
                         "-fc:.jpg -fc:apt.jpg -ch4:.jpg -close"};
  CommandLine line = buildDecoderCommand(in);
  EXPECT_EQ(line.display,
            "\"E:\\Programs\\Decoder\\Varnock.exe\" \"D:\\Passes\\n18_1012.hrp\" -direction:south "
            "\"-output:D:\\Images\\n18_1012\" -fc:.jpg -fc:apt.jpg -ch4:.jpg -close");
}

TEST(DecoderCommand, ArgumentsAreThePiecesWithoutQuotes) {
  DecoderCommandInput in{"/opt/my chain/", "/data/pass \"1\".hrp",
                         "north",          "/img/",
                         "pass \"1\"",     "-fc:.jpg -fc:apt.jpg  -rgb:R1G2B4:.jpg  -min"};
  CommandLine line = buildDecoderCommand(in);
  EXPECT_EQ(line.arguments, (Args{"/opt/my chain/Varnock.exe", "/data/pass \"1\".hrp",
                                  "-direction:north", "-output:/img/pass \"1\"", "-fc:.jpg",
                                  "-fc:apt.jpg", "-rgb:R1G2B4:.jpg", "-min"}));
}

TEST(DecoderCommand, EmptySettingsGiveTheBareProgramAndATrailingSpace) {
  DecoderCommandInput in{"", "/data/a.hrp", "south", "", "a", ""};
  CommandLine line = buildDecoderCommand(in);
  EXPECT_EQ(line.display, "\"Varnock.exe\" \"/data/a.hrp\" -direction:south \"-output:a\" ");
  EXPECT_EQ(line.arguments, (Args{"Varnock.exe", "/data/a.hrp", "-direction:south", "-output:a"}));
}

TEST(RemapCommand, WorkedExampleByteForByte) {
  RemapCommandInput in{"E:\\Programs\\Remap\\", "D:\\Images\\n18_1012.lcn",
                       "D:\\Images\\n18_1012-fc.jpg", "D:\\Images\\n18_1012-fc-Polar.jpg",
                       MapRequest{"60", "40", "-10", "10", "800", "600", "Polar"}};
  EXPECT_EQ(buildRemapCommand(in).display,
            "\"E:\\Programs\\Remap\\Ostrelle.exe\" \"-LCN:D:\\Images\\n18_1012.lcn\" "
            "\"-IN:D:\\Images\\n18_1012-fc.jpg\" \"-OUT:D:\\Images\\n18_1012-fc-Polar.jpg\" "
            "-lat1:60 -lat2:40 -lon1:-10 -lon2:10 -width:800 -height:600 -proj:Polar");
}

TEST(RemapCommand, EveryOptionIsOneArgumentWhateverItHolds) {
  RemapCommandInput in{"/opt/", "/i/a b.lcn", "/i/a\" -x.jpg", "/i/out.jpg",
                       MapRequest{"6 0", "\"40\"", "", "10", "800", "600", "Polar"}};
  EXPECT_EQ(buildRemapCommand(in).arguments,
            (Args{"/opt/Ostrelle.exe", "-LCN:/i/a b.lcn", "-IN:/i/a\" -x.jpg", "-OUT:/i/out.jpg",
                  "-lat1:6 0", "-lat2:\"40\"", "-lon1:", "-lon2:10", "-width:800", "-height:600",
                  "-proj:Polar"}));
}

TEST(ArgumentSplit, RunsOfBlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(splitArguments(""), Args{});
  EXPECT_EQ(splitArguments("   "), Args{});
  EXPECT_EQ(splitArguments(" -a  -b\t-c "), (Args{"-a", "-b", "-c"}));
  EXPECT_EQ(splitArguments("\"-x:a b\" c\"d e\"f"), (Args{"-x:a b", "cd ef"}));
  EXPECT_EQ(splitArguments("a \"\" b"), (Args{"a", "", "b"}));
  EXPECT_EQ(splitArguments("\"unclosed quote"), (Args{"unclosed quote"}));
}

}  // namespace
}  // namespace kestrova
