// The deflate stream the PNG writer compresses through.
#include <gtest/gtest.h>
#include <zlib.h>

#include <numeric>

#include "formats/ZlibStream.h"

namespace pixkura {
namespace {

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& data, size_t expected) {
  std::vector<uint8_t> out(expected + 1);
  uLongf size = out.size();
  EXPECT_EQ(uncompress(out.data(), &size, data.data(), data.size()), Z_OK);
  out.resize(size);
  return out;
}

std::vector<uint8_t> Counting(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return v;
}

TEST(CompressionStream, EveryLevelGivesOneCompleteZlibStream) {
  const std::vector<uint8_t> input = Counting(300000);
  size_t storedSize = 0, maxSize = 0;
  for (TCompressionLevel level : {TCompressionLevel::clNone, TCompressionLevel::clFastest,
                                  TCompressionLevel::clDefault, TCompressionLevel::clMax}) {
    TMemoryStream target;
    TCompressionStream z(level, target);
    // Written in uneven pieces.
    for (size_t at = 0; at < input.size(); at += 7777)
      EXPECT_EQ(z.Write(input.data() + at, static_cast<int64_t>(std::min<size_t>(7777, input.size() - at))),
                static_cast<int64_t>(std::min<size_t>(7777, input.size() - at)));
    EXPECT_EQ(z.Position(), 300000);  // a seek by 0 tells the bytes fed
    z.Finish();
    EXPECT_EQ(Inflate(target.Bytes(), input.size()), input);
    // zlib header: deflate, 32 KiB window; the level shows in FLEVEL.
    EXPECT_EQ(target.Bytes()[0], 0x78);
    if (level == TCompressionLevel::clNone) storedSize = target.Bytes().size();
    if (level == TCompressionLevel::clMax) maxSize = target.Bytes().size();
  }
  EXPECT_GT(storedSize, 300000u);  // level 0 stores
  EXPECT_LT(maxSize, storedSize);
}

TEST(CompressionStream, LevelsMapOntoZlibLevels) {
  // The zlib header's second byte tells the level class: 0 and 1 give 0x01,
  // zlib's default (6) 0x9C, 9 0xDA; the first byte 0x78 a 32 KiB window.
  const std::pair<TCompressionLevel, uint8_t> cases[] = {{TCompressionLevel::clNone, 0x01},
                                                         {TCompressionLevel::clFastest, 0x01},
                                                         {TCompressionLevel::clDefault, 0x9C},
                                                         {TCompressionLevel::clMax, 0xDA}};
  for (const auto& [level, flags] : cases) {
    TMemoryStream target;
    TCompressionStream z(level, target);
    z.WriteBuffer("abcabcabc", 9);
    z.Finish();
    ASSERT_GE(target.Size(), 2);
    EXPECT_EQ(target.Bytes()[0], 0x78);
    EXPECT_EQ(target.Bytes()[1], flags);
  }
}

TEST(CompressionStream, ProgressAfterEachFullBuffer) {
  TMemoryStream target;
  int progress = 0;
  {
    TCompressionStream z(TCompressionLevel::clNone, target);
    z.OnProgress = [&](TCustomZlibStream&) { ++progress; };
    const std::vector<uint8_t> input = Counting(200000);
    z.WriteBuffer(input.data(), static_cast<int64_t>(input.size()));
    EXPECT_EQ(target.Size(), progress * 65536);
    z.Finish();
  }
  EXPECT_EQ(progress, 3);  // 200000 stored bytes fill three 65536-byte buffers
}

TEST(CompressionStream, WritesAtItsOwnPositionInTheTarget) {
  TMemoryStream target;
  target.WriteBuffer("head", 4);
  TCompressionStream z(TCompressionLevel::clDefault, target);
  const std::vector<uint8_t> input = Counting(1000);
  z.WriteBuffer(input.data(), 1000);
  target.SetPosition(1);  // someone moved the target meanwhile
  z.Finish();
  const std::vector<uint8_t> bytes = target.Bytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "head");
  EXPECT_EQ(Inflate(std::vector<uint8_t>(bytes.begin() + 4, bytes.end()), 1000), input);
}

TEST(CompressionStream, ReadsAndMovesAreInvalid) {
  TMemoryStream target;
  TCompressionStream z(TCompressionLevel::clMax, target);
  uint8_t b = 0;
  for (const auto& op : std::vector<std::function<void()>>{
           [&] { z.Read(&b, 1); }, [&] { z.Seek(1, TSeekOrigin::soCurrent); },
           [&] { z.Seek(0, TSeekOrigin::soBeginning); }, [&] { z.Seek(0, TSeekOrigin::soEnd); }}) {
    try {
      op();
      ADD_FAILURE() << "no exception";
    } catch (const EZlibError& e) {
      EXPECT_NE(dynamic_cast<const ECompressionError*>(&e), nullptr);
      EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
  }
  EXPECT_EQ(z.Seek(0, TSeekOrigin::soCurrent), 0);
}

TEST(CompressionStream, DestructionFinishesTheStream) {
  TMemoryStream target;
  const std::vector<uint8_t> input = Counting(5000);
  {
    TCompressionStream z(TCompressionLevel::clMax, target);
    z.WriteBuffer(input.data(), 5000);
  }
  EXPECT_EQ(Inflate(target.Bytes(), 5000), input);
}

}  // namespace
}  // namespace pixkura
