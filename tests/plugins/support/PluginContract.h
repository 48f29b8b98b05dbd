// Checks every shipped plug-in has to pass, written once and instantiated by
// each plug-in's test file with its own fixtures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace pixkura::test {

struct TPluginCase {
  const char* spi;         // file name in the bin folder
  const char* filter;      // info 2
  const char* formatName;  // info 3
};

struct TFixtureCase {
  const char* spi;
  const char* fixture;     // file in tests/data/plugins, with <fixture>.expected beside it
  int tolerance = 0;       // largest channel difference allowed (lossy re-conversions only)
  bool detectsCut = true;  // every cut of the file fails (see TruncatedFileFails)
};

inline std::ostream& operator<<(std::ostream& os, const TPluginCase& c) { return os << c.spi; }
inline std::ostream& operator<<(std::ostream& os, const TFixtureCase& c) { return os << c.fixture; }

// Test names from fixture file names ("png_idx8.png" -> "png_idx8_png").
std::string FixtureCaseName(const testing::TestParamInfo<TFixtureCase>& info);

// The fixture's densities as the plug-in reports them: dots per inch in the
// picture-info record, pixels per metre in the header it hands back.
void ExpectDensities(const char* spi, const char* fixture, uint16_t xDpi, uint16_t yDpi, int32_t xPelsPerMeter,
                     int32_t yPelsPerMeter);

class PluginContract : public testing::TestWithParam<TPluginCase> {};
class PluginFixture : public testing::TestWithParam<TFixtureCase> {};

}  // namespace pixkura::test
