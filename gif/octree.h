// Octree colour quantisation: every pixel descends a tree of depth 8 by
// the bits of its components; whenever there are more leaves than wanted
// colours, the deepest most recently created inner node is folded into a
// leaf. The leaves, walked depth first, are the palette.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gif/palettes.h"

class TDIBReader;

struct TOctreeNode {
  bool Leaf = false;
  std::uint32_t PixelCount = 0;
  std::uint64_t RedSum = 0;
  std::uint64_t GreenSum = 0;
  std::uint64_t BlueSum = 0;
  std::array<int, 8> Children{-1, -1, -1, -1, -1, -1, -1, -1};
  int NextReducible = -1;  // the next inner node of the same level
};

class TColorQuantizer {
 public:
  // maxColors is clamped to 1 .. 256.
  explicit TColorQuantizer(int maxColors);

  void AddColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  // Every pixel of a 24-bit image, rows from the top.
  void AddImage(const TDIBReader& reader);
  // The leaf colours in depth-first order, children 0 to 7.
  TPalette Palette() const;
  int LeafCount() const { return leafCount_; }

 private:
  static constexpr int kDepth = 8;

  int NewNode(int level);
  void FreeNode(int node);
  void ReduceOne();
  void Walk(int node, TPalette& palette) const;

  // Nodes live in one pool and are linked by index; folded children go
  // on a free list and are reused, so memory stays bounded on any image.
  std::vector<TOctreeNode> nodes_;
  std::vector<int> freeNodes_;
  std::array<int, kDepth> reducible_;
  int root_ = -1;
  int leafCount_ = 0;
  int maxColors_;
};
