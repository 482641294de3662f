#include "gif/octree.h"

#include <algorithm>

#include "gif/dib.h"

TColorQuantizer::TColorQuantizer(int maxColors) : maxColors_(std::clamp(maxColors, 1, 256)) {
  reducible_.fill(-1);
  root_ = NewNode(0);
}

int TColorQuantizer::NewNode(int level) {
  int node;
  if (freeNodes_.empty()) {
    node = static_cast<int>(nodes_.size());
    nodes_.emplace_back();
  } else {
    node = freeNodes_.back();
    freeNodes_.pop_back();
    nodes_[node] = TOctreeNode{};
  }
  if (level == kDepth) {
    nodes_[node].Leaf = true;
    ++leafCount_;
  } else {
    nodes_[node].NextReducible = reducible_[level];
    reducible_[level] = node;
  }
  return node;
}

void TColorQuantizer::FreeNode(int node) { freeNodes_.push_back(node); }

void TColorQuantizer::AddColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  int node = root_;
  for (int level = 0; !nodes_[node].Leaf; ++level) {
    const int shift = 7 - level;
    const int child = 4 * ((red >> shift) & 1) + 2 * ((green >> shift) & 1) + ((blue >> shift) & 1);
    if (nodes_[node].Children[child] < 0) {
      const int created = NewNode(level + 1);
      nodes_[node].Children[child] = created;
    }
    node = nodes_[node].Children[child];
  }
  TOctreeNode& leaf = nodes_[node];
  ++leaf.PixelCount;
  leaf.RedSum += red;
  leaf.GreenSum += green;
  leaf.BlueSum += blue;
  while (leafCount_ > maxColors_) ReduceOne();
}

void TColorQuantizer::AddImage(const TDIBReader& reader) {
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* p = reader.ScanLine(y);
    for (int x = 0; x < reader.Width(); ++x, p += 3) AddColor(p[2], p[1], p[0]);
  }
}

void TColorQuantizer::ReduceOne() {
  int level = kDepth - 1;
  while (level > 0 && reducible_[level] < 0) --level;
  const int node = reducible_[level];
  // With at most 256 wanted colours and the root folding into one leaf,
  // there is always an inner node left while there are too many leaves.
  reducible_[level] = nodes_[node].NextReducible;
  int removed = 0;
  for (int& child : nodes_[node].Children) {
    if (child < 0) continue;
    const TOctreeNode& c = nodes_[child];
    nodes_[node].PixelCount += c.PixelCount;
    nodes_[node].RedSum += c.RedSum;
    nodes_[node].GreenSum += c.GreenSum;
    nodes_[node].BlueSum += c.BlueSum;
    FreeNode(child);
    child = -1;
    ++removed;
  }
  nodes_[node].Leaf = true;
  leafCount_ += 1 - removed;
}

TPalette TColorQuantizer::Palette() const {
  TPalette palette;
  Walk(root_, palette);
  return palette;
}

void TColorQuantizer::Walk(int node, TPalette& palette) const {
  const TOctreeNode& n = nodes_[node];
  if (n.Leaf) {
    if (n.PixelCount == 0) {
      palette.push_back({});
    } else {
      palette.push_back({static_cast<std::uint8_t>(n.RedSum / n.PixelCount),
                         static_cast<std::uint8_t>(n.GreenSum / n.PixelCount),
                         static_cast<std::uint8_t>(n.BlueSum / n.PixelCount), 0});
    }
    return;
  }
  for (int child : n.Children)
    if (child >= 0) Walk(child, palette);
}
