#include "settings/product_table.h"

namespace kestrova {

const std::array<Product, kProductCount> ProductTable = {{
    {"Channel-1", "-ch1", "-c1"},
    {"Channel-2", "-ch2", "-c2"},
    {"Channel-3", "-ch3", "-c3"},
    {"Channel-4", "-ch4", "-c4"},
    {"Channel-5", "-ch5", "-c5"},
    {"FC", "-fc", "-fc"},
    {"RGB", "-rgb", "-rgb"},
    {"User-RGB", "-UserRGB", "-usr"},
    {"Temp", "-temp", "-temp"},
    {"SST", "-sst", "-st"},
    {"Veg Indx", "-ndvi", "-vg"},
    {"ch4-ch5", "-dch4ch5", "-wv"},
}};

}  // namespace kestrova
