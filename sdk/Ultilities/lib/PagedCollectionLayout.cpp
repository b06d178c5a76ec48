#include <Ultilities/lib/PagedCollectionLayout.h>

#include <Foundation/ClassRegistry.h>
#include <UIKit/UICollectionView.h>

#include <algorithm>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<PagedCollectionLayout, ios::UICollectionViewFlowLayout>()
        .property("previousOffset", &PagedCollectionLayout::previousOffset,
                  &PagedCollectionLayout::setPreviousOffset)
        .property("currentPage", &PagedCollectionLayout::currentPage, &PagedCollectionLayout::setCurrentPage);

}  // namespace

std::shared_ptr<PagedCollectionLayout> PagedCollectionLayout::create() {
  return std::make_shared<PagedCollectionLayout>();
}

ios::CGPoint PagedCollectionLayout::targetContentOffset(ios::CGPoint proposedContentOffset,
                                                        ios::CGPoint velocity) {
  const ios::CGPoint fallback =
      UICollectionViewFlowLayout::targetContentOffset(proposedContentOffset, velocity);
  auto collectionView = this->collectionView();
  if (!collectionView) return fallback;
  auto dataSource = collectionView->dataSource();
  if (!dataSource) return fallback;
  const int count = dataSource->numberOfItemsInSection(*collectionView, 0);

  const ios::CGFloat x = collectionView->contentOffset().x;
  if (x < previousOffset_ && velocity.x < 0) {
    currentPage_ = std::max<ios::CGFloat>(currentPage_ - 1, 0);
  } else if (previousOffset_ < x && velocity.x > 0) {
    currentPage_ = std::min<ios::CGFloat>(currentPage_ + 1, static_cast<ios::CGFloat>(count - 1));
  }

  const ios::CGFloat offset = (itemSize.width + minimumInteritemSpacing) * currentPage_;
  previousOffset_ = offset;
  return ios::CGPoint{offset, proposedContentOffset.y};
}

}  // namespace kerbelin
