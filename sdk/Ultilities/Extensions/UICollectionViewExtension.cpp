#include <Ultilities/Extensions/UICollectionViewExtension.h>

#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>

#include <string>
#include <utility>

namespace kerbelin {

void reloadData(ios::UICollectionView& collectionView, std::function<void()> completion) {
  ios::UIView::animate(
      0, [&collectionView] { collectionView.reloadData(); },
      [completion = std::move(completion)](bool) {
        if (completion) completion();
      });
}

void registerDefaultCell(ios::UICollectionView& collectionView) {
  auto nib = ios::UINib::create(kNFDefaultCollectionViewCell, nullptr);
  if (!nib) {
    ios::NSLog(std::string("Could not find a nib named \"") + kNFDefaultCollectionViewCell +
               "\" in the main bundle");
    return;
  }
  collectionView.registerNib(std::move(nib), kNFDefaultCollectionViewCell);
}

void alphaAnimation(ios::UICollectionViewCell& cell) {
  cell.setAlpha(0.3);
  ios::UIView::animate(1.0, [&cell] { cell.setAlpha(1.0); });
}

}  // namespace kerbelin
