// The checks a plug-in's answer passes before it becomes a picture, and the
// packed DIB and BMP file built from an accepted answer.
#include <gtest/gtest.h>
#include <malloc.h>

#include <climits>
#include <cstring>

#include "formats/SPIAnswer.h"
#include "formats/SPIIxDIB.h"

namespace pixkura {
namespace {

// Header block bytes: the info header followed by extra (masks, colours).
std::vector<uint8_t> HeaderBlock(const TBitmapInfoHeader& h, const std::vector<uint8_t>& extra) {
  std::vector<uint8_t> b(sizeof h);
  std::memcpy(b.data(), &h, sizeof h);
  b.insert(b.end(), extra.begin(), extra.end());
  return b;
}

TBitmapInfoHeader Info(int32_t w, int32_t h, uint16_t bits, uint32_t compression = BI_RGB,
                       uint32_t used = 0) {
  return TBitmapInfoHeader{40, w, h, 1, bits, compression, 0, 0, 0, used, 0};
}

bool Accepted(const TBitmapInfoHeader& h, size_t extra, size_t bits) {
  const std::vector<uint8_t> header = HeaderBlock(h, std::vector<uint8_t>(extra, 0x11));
  const std::vector<uint8_t> pixels(bits);
  return CheckSPIAnswer(header.data(), header.size(), pixels.data(), pixels.size()).has_value();
}

TEST(SPIAnswer, BlockSizesMustCoverHeaderTableAndRows) {
  // 8 bits, 256 colours implied, 5 x 3: rows of 8 bytes.
  EXPECT_TRUE(Accepted(Info(5, 3, 8), 1024, 24));
  EXPECT_FALSE(Accepted(Info(5, 3, 8), 1023, 24));
  EXPECT_FALSE(Accepted(Info(5, 3, 8), 1024, 23));
  EXPECT_TRUE(Accepted(Info(5, -3, 8, BI_RGB, 2), 8, 24));  // top-down, two colours
  EXPECT_TRUE(Accepted(Info(9, 2, 1), 8, 8));               // 1 bit: 2 colours, 4-byte rows
  EXPECT_TRUE(Accepted(Info(3, 1, 4), 64, 4));
  EXPECT_TRUE(Accepted(Info(3, 2, 24), 0, 24));
  EXPECT_FALSE(Accepted(Info(3, 2, 24), 0, 23));
  EXPECT_FALSE(Accepted(Info(1, 1, 8, BI_RGB, 257), 257 * 4, 4));
  EXPECT_FALSE(Accepted(Info(0, 1, 8), 1024, 4));
  EXPECT_FALSE(Accepted(Info(-1, 1, 8), 1024, 4));
  EXPECT_FALSE(Accepted(Info(1, 0, 8), 1024, 4));
  EXPECT_FALSE(Accepted(Info(1, INT_MIN, 8), 1024, 4));
  EXPECT_FALSE(Accepted(Info(INT_MAX, INT_MAX, 32), 0, 4));
  EXPECT_FALSE(Accepted(Info(1, 1, 2), 16, 4));
  EXPECT_FALSE(Accepted(Info(1, 1, 8, BI_RLE8), 1024, 4));
  EXPECT_FALSE(Accepted(Info(1, 1, 24, BI_BITFIELDS), 12, 4));
  TBitmapInfoHeader core = Info(1, 1, 8);
  core.biSize = 12;
  EXPECT_FALSE(Accepted(core, 1024, 4));
  EXPECT_FALSE(CheckSPIAnswer(nullptr, 0, nullptr, 0).has_value());
}

// Whether an answer whose header says w x h at 32 bits is accepted with a
// pixel block of exactly the size the rows need. The check measures the
// block and never reads it, so the size is only claimed, not allocated.
bool AcceptedWithClaimedRows(int32_t w, int32_t h) {
  const TBitmapInfoHeader info = Info(w, h, 32);
  const uint8_t pixel[4] = {};
  const uint64_t rows = uint64_t{4} * static_cast<uint32_t>(w) * static_cast<uint32_t>(h < 0 ? -h : h);
  return CheckSPIAnswer(&info, sizeof info, pixel, static_cast<size_t>(rows)).has_value();
}

TEST(SPIAnswer, PixelRowsOfTwoGibibytesOrMoreAreRefused) {
  // What is built from an answer counts its size in signed 32 bits: 2 GiB of
  // rows or more are refused, 4 bytes less (the next smaller size) accepted.
  constexpr int32_t kJustBelow = (1 << 29) - 1;  // pixels of 4 bytes: 2 GiB - 4
  EXPECT_TRUE(AcceptedWithClaimedRows(1, kJustBelow));
  EXPECT_TRUE(AcceptedWithClaimedRows(1, -kJustBelow));
  EXPECT_TRUE(AcceptedWithClaimedRows(kJustBelow, 1));
  EXPECT_FALSE(AcceptedWithClaimedRows(1, 1 << 29));  // exactly 2 GiB
  EXPECT_FALSE(AcceptedWithClaimedRows(1, -(1 << 29)));
  EXPECT_FALSE(AcceptedWithClaimedRows(1 << 29, 1));
  EXPECT_FALSE(AcceptedWithClaimedRows(1 << 15, 1 << 15));  // 4 GiB: 0 in 32 bits
  EXPECT_FALSE(AcceptedWithClaimedRows(1 << 16, 1 << 15));  // 8 GiB
}

TEST(SPIAnswer, SpansAreExactlyWhatTheHeaderSays) {
  const std::vector<uint8_t> header = HeaderBlock(Info(2, 2, 8, BI_RGB, 3), std::vector<uint8_t>(100, 7));
  const std::vector<uint8_t> pixels(50, 9);
  const auto answer = CheckSPIAnswer(header.data(), header.size(), pixels.data(), pixels.size());
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Header.size(), 40u + 12u);
  EXPECT_EQ(answer->Bits.size(), 8u);
  const std::vector<uint8_t> packed = BuildPackedDIB(*answer);
  EXPECT_EQ(packed.size(), 60u);
  const std::vector<uint8_t> file = BuildBitmapFile(*answer);
  ASSERT_EQ(file.size(), 74u);
  TBitmapFileHeader fh{};
  std::memcpy(&fh, file.data(), sizeof fh);
  // Copies: the packed fields cannot be bound to references.
  const uint16_t type = fh.bfType;
  const uint32_t size = fh.bfSize, offset = fh.bfOffBits;
  EXPECT_EQ(type, kBitmapFileType);
  EXPECT_EQ(size, 74u);
  EXPECT_EQ(offset, 14u + 52u);
  EXPECT_TRUE(std::equal(packed.begin(), packed.end(), file.begin() + 14));
}

TEST(SPIAnswer, BitFieldAnswersKeepTheirMasks) {
  // 16 bits 5-6-5, 2 x 1: one red and one blue pixel.
  const std::vector<uint8_t> masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  const std::vector<uint8_t> header = HeaderBlock(Info(2, 1, 16, BI_BITFIELDS), masks);
  const std::vector<uint8_t> pixels = {0x00, 0xF8, 0x1F, 0x00};
  const auto answer = CheckSPIAnswer(header.data(), header.size(), pixels.data(), pixels.size());
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Header.size(), 52u);
  std::vector<uint8_t> zeroMask = masks;
  std::fill(zeroMask.begin() + 4, zeroMask.begin() + 8, 0);
  const std::vector<uint8_t> bad = HeaderBlock(Info(2, 1, 16, BI_BITFIELDS), zeroMask);
  EXPECT_FALSE(CheckSPIAnswer(bad.data(), bad.size(), pixels.data(), pixels.size()));

  TIxDIB dib;
  const std::vector<uint8_t> packed = BuildPackedDIB(*answer);
  try {
    dib.LoadFromClipboardFormat(CF_DIB, TMemoryBlock(packed.data(), packed.size()), HPALETTE());
  } catch (const EIxDIBInvalidDIB&) {
    GTEST_SKIP() << "the packed DIB reader is not in this build";
  }
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(RGB(248, 0, 0)));
  EXPECT_EQ(dib.GetPixels(1, 0), static_cast<int32_t>(RGB(0, 0, 248)));
}

TEST(SPIAnswer, MallocBlocksAreMeasuredAndNeverTheSameBlockTwice) {
  const TBitmapInfoHeader h = Info(4, 1, 24);
  void* header = std::malloc(sizeof h);
  std::memcpy(header, &h, sizeof h);
  void* pixels = std::malloc(12);
  EXPECT_TRUE(CheckSPIAnswerBlocks(header, pixels));
  EXPECT_FALSE(CheckSPIAnswerBlocks(header, header));
  EXPECT_FALSE(CheckSPIAnswerBlocks(header, nullptr));
  std::free(pixels);
  // malloc may round a block up (glibc gives malloc(1) 24 usable bytes): a
  // picture whose one row needs more than the block really holds is refused.
  pixels = std::malloc(1);
  const auto usable = static_cast<int32_t>(::malloc_usable_size(pixels));
  const TBitmapInfoHeader wide = Info(usable / 3 + 2, 1, 24);
  std::memcpy(header, &wide, sizeof wide);
  EXPECT_FALSE(CheckSPIAnswerBlocks(header, pixels));
  std::free(pixels);
  std::free(header);
}

}  // namespace
}  // namespace pixkura
