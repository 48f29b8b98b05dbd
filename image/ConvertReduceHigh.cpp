// The "High" colour reduction of 24-bit pictures: the variance split runs on
// the pixels themselves instead of histogram cells, every split is recorded as
// a node of a decision tree, and each pixel finds its palette index by walking
// the tree from the root. Exact to the last bit of every colour, but it holds
// a copy of all pixels and walks the tree once per pixel.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/ConvertVarianceSplit.h"

namespace pixkura {
namespace {

// One pixel, in the byte order of a 24-bit row.
struct TPixel {
  uint8_t blue, green, red;
  uint64_t Weight() const { return 1; }
  uint32_t Channel(int axis) const { return axis == 0 ? red : axis == 1 ? green : blue; }
};
static_assert(sizeof(TPixel) == 3);

constexpr uint8_t kDivideLeaf = 3;

// A split (DivideID 0 red, 1 green, 2 blue) or a leaf (DivideID 3).
struct TDivideNode {
  uint8_t DivideID;
  long double Threshold;  // the mean the range was split at
  int32_t Limit;          // floor(Threshold): an integer v lies at or below Threshold when v <= Limit
  uint8_t PaletteIndex;   // leaves only
  int32_t Children[2];    // values at or below the threshold first
};

struct TDivideTree {
  std::vector<TDivideNode> nodes;
  int32_t root = -1;
  TRGBQuad* table;
  int32_t count = 0;

  int Leaf(TPixel*, TPixel*, const TRangeStats& stats) {
    table[count] = LeafColor(stats);
    return Add(TDivideNode{kDivideLeaf, 0, 0, static_cast<uint8_t>(count++), {-1, -1}});
  }
  // No pixel reaches an empty range: classification compares exactly as the
  // partition did. It still needs a node, so it gets a leaf of entry 0.
  int Empty() { return Add(TDivideNode{kDivideLeaf, 0, 0, 0, {-1, -1}}); }
  int Split(TSplitAxis axis, long double mean, int lower, int upper) {
    return Add(TDivideNode{axis, mean, static_cast<int32_t>(std::floor(mean)), 0, {lower, upper}});
  }
  int Add(const TDivideNode& node) {
    nodes.push_back(node);
    return static_cast<int>(nodes.size() - 1);
  }

  uint8_t Classify(const uint8_t* bgr, const char* invalidDivide) const {
    const TDivideNode* base = nodes.data();
    const TDivideNode* n = base + root;
    for (;;) {
      switch (n->DivideID) {
        case kSplitRed:
          n = base + n->Children[bgr[2] <= n->Limit ? 0 : 1];
          break;
        case kSplitGreen:
          n = base + n->Children[bgr[1] <= n->Limit ? 0 : 1];
          break;
        case kSplitBlue:
          n = base + n->Children[bgr[0] <= n->Limit ? 0 : 1];
          break;
        case kDivideLeaf:
          return n->PaletteIndex;
        default:
          throw EIxDIBAssert(invalidDivide);
      }
    }
  }
};

// Copies every pixel into one packed list and splits it to maxDepth.
void BuildTree(const TIxInternalDIB& src, int maxDepth, TDivideTree& tree, const TProgressStep& step) {
  std::vector<TPixel> pixels;
  try {
    pixels.resize(static_cast<size_t>(src.Width) * static_cast<size_t>(src.Height));
    tree.nodes.reserve(size_t{2} << maxDepth);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
  }
  const size_t rowBytes = 3 * static_cast<size_t>(src.Width);
  for (int32_t i = 0; i < src.Height; ++i)
    std::memcpy(reinterpret_cast<uint8_t*>(pixels.data()) + rowBytes * static_cast<size_t>(i),
                StoredRowOf(src, i), rowBytes);
  tree.root = SplitRange(pixels.data(), pixels.data() + pixels.size(), 0, maxDepth, tree, step);
}

template <int DstBits>
TDIBPtr ReduceHigh(const TIxInternalDIB& src, const TProgressStep& step, const char* badType,
                   const char* invalidDivide) {
  RequireUncompressed(src, 24, badType);
  TRGBQuad palette[256]{};
  TDivideTree tree{};
  tree.table = palette;
  BuildTree(src, DstBits == 8 ? 8 : 4, tree, step);

  TDIBPtr dst = NewStorageLike(src, DstBits, tree.count);
  std::copy(palette, palette + tree.count, dst->ColorTable());
  WriteIndices<DstBits>(src, *dst, [&tree, invalidDivide](const uint8_t* row, int32_t x) {
    return tree.Classify(row + 3 * static_cast<size_t>(x), invalidDivide);
  });
  return dst;
}

}  // namespace

TDIBPtr ConvertTrueColorTo8BitRGBHigh(const TIxInternalDIB& src, const TProgressStep& step) {
  return ReduceHigh<8>(src, step, "ConvertTrueColorTo8BitRGBHigh: Invalid Bitcount",
                       "ConvertTrueColorTo8BitRGBHigh: Invalid DivideID");
}

TDIBPtr ConvertTrueColorTo4BitRGBHigh(const TIxInternalDIB& src, const TProgressStep& step) {
  return ReduceHigh<4>(src, step, "ConvertTrueColorTo4BitRGBHigh: Invalid Bitcount",
                       "ConvertTrueColorTo4BitRGBHigh: Invalid DivideID");
}

int32_t TrueColorPaletteHigh(const TIxInternalDIB& src, TRGBQuad* table, const TProgressStep& step) {
  RequireUncompressed(src, 24, "TIxInternalDIB.CreateTrueColorPalette: Bad DIB Type");
  TDivideTree tree{};
  tree.table = table;
  BuildTree(src, 8, tree, step);
  return tree.count;
}

}  // namespace pixkura
