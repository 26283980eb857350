#include "varnock/decoder_run.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <thread>

#include "avhrr/calibration/pass_calibration.h"
#include "products/pass_products.h"
#include "products/rgb_recipe.h"
#include "settings/product_table.h"
#include "varnock/location_output.h"
#include "varnock/parallel_jobs.h"
#include "varnock/pass_location.h"
#include "varnock/pass_reading.h"
#include "varnock/pass_summary.h"
#include "varnock/picture_making.h"

namespace kestrova::varnock {
namespace {

namespace fs = std::filesystem;
using avhrr::TravelDirection;

// How far the run has come when each stage starts; the pictures fill the rest.
constexpr double kCalibrating = 0.20, kLocating = 0.25, kPictures = 0.30, kWriting = 0.97;

// The workers' messages, one at a time.
class SerialReporter : public progress::Reporter {
 public:
  explicit SerialReporter(progress::Reporter& inner) : inner_(inner) {}
  void stage(const std::string& text) override {
    with([&] { inner_.stage(text); });
  }
  void progress(double fraction) override {
    with([&] { inner_.progress(last_ = std::max(last_, fraction)); });
  }
  void message(progress::Severity severity, const std::string& text) override {
    with([&] { inner_.message(severity, text); });
  }
  void showPicture(const std::string& path) override {
    with([&] { inner_.showPicture(path); });
  }

 private:
  template <class F>
  void with(F f) {
    const std::lock_guard lock(mutex_);
    f();
  }
  progress::Reporter& inner_;
  std::mutex mutex_;
  double last_ = 0;
};

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Varnock.rgb beside the program, else the built-in natural colour.
std::optional<products::RgbRecipe> userRecipe(const fs::path& programFolder,
                                              progress::Reporter& report) {
  const fs::path path = programFolder / "Varnock.rgb";
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  try {
    auto recipe = products::parseRgbRecipe(fileText(path));
    report.info("User-RGB recipe from '" + path.string() + "'");
    return recipe;
  } catch (const Error& e) {
    report.warning("User-RGB recipe '" + path.string() + "' cannot be used (" + e.what() +
                   "): the built-in natural colour stands in.");
    return std::nullopt;
  }
}

const char* directionName(TravelDirection d) {
  return d == TravelDirection::Southbound ? "southbound (north to south)"
                                          : "northbound (south to north)";
}

// Whether the pictures are turned, and a plain word when the option contradicts the orbit.
bool settleDirection(const DecoderOptions& options, std::optional<TravelDirection> travelled,
                     progress::Reporter& report) {
  const bool turned = options.direction == Direction::North;
  const std::string given = !options.direction
                                ? "not given (lines as received)"
                                : (turned ? "north (pictures turned by 180 degrees, north up)"
                                          : "south (lines as received)");
  report.info("Direction: " + given + "; the " +
              (travelled ? std::string("satellite travelled ") + directionName(*travelled)
                         : std::string("direction of travel is unknown")));
  const bool northbound = travelled == TravelDirection::Northbound;
  if (options.direction && travelled && northbound != turned)
    report.warning(std::string("The satellite travelled ") + directionName(*travelled) +
                   " but the direction given is " + (turned ? "north" : "south") +
                   ": the pictures follow the direction given, so north is at the bottom. "
                   "Decode again with the other direction (in Kestrova, the other radio button "
                   "at the bottom of the main window) if that is not what you want.");
  return turned;
}

PassLocation locate(const avhrr::Pass& pass, const FoundElements& elements,
                    progress::Reporter& report) {
  try {
    return pass.format.container == avhrr::Container::RawHrpt
               ? locateRawHrpt(pass, elements, report)
               : locateLevel1b(pass, report);
  } catch (const Error& e) {
    report.warning(std::string("No location file: ") + e.what());
    return {};
  }
}

// The location file's bytes, or none with the reason why when the grid cannot make one.
std::optional<std::vector<std::uint8_t>> locationBytes(const avhrr::Pass& pass,
                                                       const PassLocation& location, bool turned,
                                                       progress::Reporter& report) {
  if (!location.grid) return std::nullopt;
  try {
    return locationFileBytes(pass, *location.grid, turned);
  } catch (const Error& e) {
    report.warning(std::string("No location file: ") + e.what());
    return std::nullopt;
  }
}

// Every requested picture staged, the products shared among the cores, each share made in one
// sweep over the pass (every channel calibrated once a line for all of it); no more than four
// shares, each holding its pictures in memory. Each note of the products is told once.
void makeProducts(const std::vector<PictureJob>& jobs, const products::PassProducts& maker,
                  bool turned, const std::string& base, StagedFiles& files,
                  progress::Reporter& report) {
  std::mutex tally;  // guards done and notes
  std::size_t done = 0;
  std::vector<std::string> notes;
  const std::size_t shares =
      std::min<std::size_t>(std::clamp(std::thread::hardware_concurrency(), 2u, 4u), jobs.size());
  runJobs(shares, static_cast<unsigned>(shares), [&](std::size_t share) {
    std::vector<std::size_t> mine;
    std::vector<products::ProductChoice> choices;
    std::string names;
    for (std::size_t k = share; k < jobs.size(); k += shares) {
      mine.push_back(k);
      choices.push_back(jobs[k].choice);
      names += std::string(names.empty() ? "" : ", ") +
               std::string(ProductTable[static_cast<std::size_t>(jobs[k].choice.product)].caption);
    }
    report.stage("Making " + names);
    std::vector<products::Picture> plains = maker.plainAll(choices);
    for (std::size_t i = 0; i < mine.size(); ++i) {
      const auto made =
          makePictures(jobs[mine[i]], std::move(plains[i]), maker, turned, base, files);
      const std::lock_guard lock(tally);
      report.progress(kPictures + (kWriting - kPictures) * static_cast<double>(++done) /
                                      static_cast<double>(jobs.size()));
      for (const auto& note : made) {
        if (std::find(notes.begin(), notes.end(), note) != notes.end()) continue;
        notes.push_back(note);
        report.warning(note);
      }
    }
  });
}

// The picture the window shows at the end: the first quick look in JPEG, else the first picture.
std::string previewOf(const DecoderOptions& options) {
  const auto look = std::find_if(options.items.begin(), options.items.end(), [](const Item& i) {
    return i.form == PictureForm::QuickLook && i.type == PictureType::Jpeg;
  });
  return itemFileName(options.outputBase,
                      look != options.items.end() ? *look : options.items.front());
}

}  // namespace

std::vector<fs::path> elementFolders(const RunPlaces& places, const std::string& dataFile) {
  const fs::path data = fs::path(dataFile).parent_path();
  return {places.programFolder / "tle",
          (places.programFolder / ".." / "share" / "kestrova" / "tle").lexically_normal(),
          data.empty() ? fs::path(".") : data};
}

fs::path runningProgramFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : self.parent_path();
}

int runDecoder(const DecoderOptions& options, const RunPlaces& places, progress::Reporter& outer) {
  SerialReporter report(outer);
  report.stage("Reading");
  report.progress(0.01);
  const MappedFile file(options.dataFile);
  // The elements give a raw HRPT pass its year when its name holds no date.
  const FoundElements elements = findElementSets(elementFolders(places, options.dataFile));
  avhrr::hrpt::HrptReadOptions readOptions;
  readOptions.elementEpochs = [&](const avhrr::Satellite& s) { return epochsFor(elements, s); };
  const avhrr::Pass pass = readPass(file, options.dataFile, readOptions);
  for (const auto& line : describePass(pass)) report.info(line);
  for (const auto& note : pass.notes) report.warning(note);

  report.stage("Calibrating");
  report.progress(kCalibrating);
  const avhrr::PassCalibration calibration(pass);
  for (const auto& line : describeCalibration(pass, calibration)) report.info(line);

  report.stage("Locating");
  report.progress(kLocating);
  const PassLocation location = locate(pass, elements, report);
  const bool turned = settleDirection(options, location.direction, report);

  StagedFiles files;
  std::vector<std::string> written;
  if (const auto bytes = locationBytes(pass, location, turned, report)) {
    files.stage(options.outputBase + ".lcn", *bytes);
    written.push_back(options.outputBase + ".lcn");
  }

  const products::PassProducts maker(pass, calibration, location.grid ? &*location.grid : nullptr,
                                     userRecipe(places.programFolder, report));
  makeProducts(pictureJobs(options.items), maker, turned, options.outputBase, files, report);
  for (const auto& item : options.items) written.push_back(itemFileName(options.outputBase, item));

  report.stage("Writing");
  files.commit();
  for (const auto& path : written) {
    std::error_code error;
    report.info("Wrote " + path + " (" + sizeText(fs::file_size(path, error)) + ")");
  }
  report.showPicture(previewOf(options));
  report.stage("Done");
  report.progress(1.0);
  return 0;
}

}  // namespace kestrova::varnock
