#pragma once

// Reloading, registration and appearance helpers of collection views and their cells. Each free
// function stands for the member of the same name. Main thread only.

#include <UIKit/UICollectionView.h>
#include <UIKit/UICollectionViewCell.h>

#include <functional>

namespace kerbelin {

// The reuse identifier and nib name `registerDefaultCell` uses.
inline constexpr const char* kNFDefaultCollectionViewCell = "NFDefaultCollectionViewCell";

// Reloads inside a zero-length animation block and calls `completion` from its completion, that is on
// a later run-loop turn, after the pass in which the reload happened; the finished flag is ignored.
void reloadData(ios::UICollectionView& collectionView, std::function<void()> completion);

// Registers the main bundle's nib "NFDefaultCollectionViewCell" for the reuse identifier of the same
// name. Without such a nib nothing is registered (and the miss is logged); dequeuing that identifier
// then stays a programmer error, as for any identifier never registered.
void registerDefaultCell(ios::UICollectionView& collectionView);

// Alpha 0.3 at once, then animated to 1.0 over one second.
void alphaAnimation(ios::UICollectionViewCell& cell);

}  // namespace kerbelin
