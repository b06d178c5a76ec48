#pragma once

#include <Foundation/IndexPath.h>
#include <UIKit/UICollectionViewCell.h>
#include <UIKit/UICollectionViewLayout.h>
#include <UIKit/UIScrollView.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ios {

class UICollectionView;
class UINib;
class UITapGestureRecognizer;

class UICollectionViewDataSource {
 public:
  virtual ~UICollectionViewDataSource() = default;
  virtual int numberOfSections(UICollectionView&) { return 1; }
  virtual int numberOfItemsInSection(UICollectionView& collectionView, int section) = 0;
  virtual std::shared_ptr<UICollectionViewCell> cellForItemAt(UICollectionView& collectionView,
                                                              const IndexPath& indexPath) = 0;
};

// Also the scroll view's delegate.
class UICollectionViewDelegate : public UIScrollViewDelegate {
 public:
  virtual void didSelectItemAt(UICollectionView&, const IndexPath&) {}
  virtual void didDeselectItemAt(UICollectionView&, const IndexPath&) {}
  virtual void willDisplay(UICollectionView&, UICollectionViewCell&, const IndexPath&) {}
  virtual void didEndDisplaying(UICollectionView&, UICollectionViewCell&, const IndexPath&) {}
};

struct UICollectionViewScrollPosition {
  enum : unsigned {
    none = 0,
    top = 1u << 0,
    centeredVertically = 1u << 1,
    bottom = 1u << 2,
    left = 1u << 3,
    centeredHorizontally = 1u << 4,
    right = 1u << 5,
  };
};

// A scroll view whose items a layout places. Counts are read at the first layout after
// `reloadData`; the layout is prepared then and after a change of size; cells are asked for only
// for the items whose frames meet the visible bounds, and go back to their pool unchanged when they
// leave. When a drag ends, the natural resting offset goes through the layout's
// `targetContentOffset` before the delegate sees it. A tap on an item selects it and calls
// `didSelectItemAt`.
class UICollectionView : public UIScrollView {
 public:
  static std::shared_ptr<UICollectionView> create(const CGRect& frame,
                                                  std::shared_ptr<UICollectionViewLayout> layout);
  UICollectionView(const CGRect& frame, std::shared_ptr<UICollectionViewLayout> layout);
  ~UICollectionView() override;

  std::shared_ptr<UICollectionViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(std::weak_ptr<UICollectionViewDataSource> dataSource);
  std::shared_ptr<UICollectionViewDelegate> delegate() const { return collectionDelegate_.lock(); }
  void setDelegate(std::weak_ptr<UICollectionViewDelegate> delegate);

  const std::shared_ptr<UICollectionViewLayout>& collectionViewLayout() const { return layout_; }
  void setCollectionViewLayout(std::shared_ptr<UICollectionViewLayout> layout);

  bool allowsSelection = true;
  bool allowsMultipleSelection = false;

  // ---- Registration and reuse
  using CellFactory = std::function<std::shared_ptr<UICollectionViewCell>()>;
  void registerNib(std::shared_ptr<UINib> nib, const std::string& reuseIdentifier);
  void registerClass(CellFactory factory, const std::string& reuseIdentifier);
  template <class Cell>
  void registerClass(const std::string& reuseIdentifier) {
    registerClass([] { return std::make_shared<Cell>(); }, reuseIdentifier);
  }
  // Never null: an unregistered identifier, or a nib without a cell, is a programmer error.
  std::shared_ptr<UICollectionViewCell> dequeueReusableCell(const std::string& reuseIdentifier,
                                                            const IndexPath& indexPath);
  // The same, typed: a dequeued cell that is not a `Cell` is a programmer error (stops with a message).
  template <class Cell>
  std::shared_ptr<Cell> dequeueReusableCell(const std::string& reuseIdentifier, const IndexPath& indexPath) {
    return dequeueReusableCell(reuseIdentifier, indexPath)->template sharedAs<Cell>();
  }

  // ---- Data
  void reloadData();
  int numberOfSections();
  int numberOfItems(int section);

  // ---- Queries (content coordinates)
  std::shared_ptr<UICollectionViewCell> cellForItem(const IndexPath& indexPath) const;
  std::optional<IndexPath> indexPath(const UICollectionViewCell& cell) const;
  std::optional<IndexPath> indexPathForItem(CGPoint point);
  std::vector<std::shared_ptr<UICollectionViewCell>> visibleCells() const;
  std::vector<IndexPath> indexPathsForVisibleItems() const;
  std::optional<UICollectionViewLayoutAttributes> layoutAttributesForItem(const IndexPath& indexPath);
  void scrollToItem(const IndexPath& indexPath, unsigned scrollPosition, bool animated);

  // ---- Selection (programmatic changes call no delegate method)
  void selectItem(std::optional<IndexPath> indexPath, bool animated, unsigned scrollPosition);
  void deselectItem(const IndexPath& indexPath, bool animated);
  std::vector<IndexPath> indexPathsForSelectedItems() const { return {selected_.begin(), selected_.end()}; }

  void layoutSubviews() override;
  void willMoveToSuperview(const std::shared_ptr<UIView>& superview) override;

  std::size_t cellsCreated() const { return cellsCreated_; }

 protected:
  CGPoint releaseTarget(CGPoint velocity) override;

 private:
  struct Registration {
    std::shared_ptr<UINib> nib;
    CellFactory factory;
  };

  void attachLayout();
  void installTap();
  void handleTap();
  void loadDataIfNeeded();
  void prepareLayoutIfNeeded();
  void enqueue(const IndexPath& indexPath, const std::shared_ptr<UICollectionViewCell>& cell);
  void dropAllVisible();

  std::weak_ptr<UICollectionViewDataSource> dataSource_;
  std::weak_ptr<UICollectionViewDelegate> collectionDelegate_;
  std::shared_ptr<UICollectionViewLayout> layout_;
  bool layoutAttached_ = false;
  std::shared_ptr<UITapGestureRecognizer> tap_;
  bool tapInstalled_ = false;

  std::map<std::string, Registration, std::less<>> registrations_;
  std::map<std::string, std::vector<std::shared_ptr<UICollectionViewCell>>, std::less<>> pool_;
  bool dataValid_ = false;
  std::vector<int> counts_;
  std::map<IndexPath, std::shared_ptr<UICollectionViewCell>> visibleCells_;
  std::set<IndexPath> selected_;
  std::size_t cellsCreated_ = 0;
  bool layingOut_ = false;
};

}  // namespace ios
