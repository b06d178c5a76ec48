#pragma once

#include <Foundation/IndexPath.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UITableViewHeaderFooterView.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ios {

class UITableView;
class UINib;
class UITapGestureRecognizer;

enum class UITableViewStyle { plain = 0, grouped, insetGrouped };
enum class UITableViewScrollPosition { none = 0, top, middle, bottom };
enum class UITableViewCellSeparatorStyle { none = 0, singleLine };
enum class UITableViewRowAnimation { fade = 0, right, left, top, bottom, none, middle, automatic = 100 };

// `UITableView.automaticDimension`: a height taken from the view's constraints.
inline constexpr CGFloat UITableViewAutomaticDimension = -1;

class UITableViewDataSource {
 public:
  virtual ~UITableViewDataSource() = default;
  virtual int numberOfSections(UITableView&) { return 1; }
  virtual int numberOfRowsInSection(UITableView& tableView, int section) = 0;
  virtual std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView,
                                                        const IndexPath& indexPath) = 0;
};

// The table's delegate is also its scroll view's delegate. Heights left to the defaults come from
// the table's `rowHeight`, `sectionHeaderHeight` and `sectionFooterHeight`.
class UITableViewDelegate : public UIScrollViewDelegate {
 public:
  virtual CGFloat heightForRowAt(UITableView& tableView, const IndexPath& indexPath);
  virtual CGFloat heightForHeaderInSection(UITableView& tableView, int section);
  virtual CGFloat heightForFooterInSection(UITableView& tableView, int section);
  virtual std::shared_ptr<UIView> viewForHeaderInSection(UITableView&, int) { return nullptr; }
  virtual std::shared_ptr<UIView> viewForFooterInSection(UITableView&, int) { return nullptr; }
  virtual void willDisplay(UITableView&, UITableViewCell&, const IndexPath&) {}
  virtual void didEndDisplaying(UITableView&, UITableViewCell&, const IndexPath&) {}
  virtual void didSelectRowAt(UITableView&, const IndexPath&) {}
  virtual void didDeselectRowAt(UITableView&, const IndexPath&) {}
};

// A vertical list of sections of rows, each section with an optional header and footer view.
//
// Rows are built lazily: the data source's counts are read when the table lays out after
// `reloadData` (or the first time), heights are asked for every row then, and `cellForRowAt` only
// for the rows in view, at layout. A row whose height is `UITableViewAutomaticDimension` counts with
// `estimatedRowHeight` (44 when 0) until its cell is built, then gets the height its content view's
// constraints give at the table's width. Cells that scroll out go back to the pool of their reuse
// identifier unchanged; section views go back to theirs only when they are
// `UITableViewHeaderFooterView`s dequeued from the table. Heights are taken literally: 0.01 is a
// hundredth of a point.
//
// Plain tables keep the header of the topmost section pinned to the top while the section is in
// view; grouped tables scroll headers with their rows. A tap on a row selects it (whatever the
// cell's selection style) and calls `didSelectRowAt`; rows are never deselected by the table on
// their own. A tap that stops a moving list selects nothing.
class UITableView : public UIScrollView {
 public:
  static constexpr CGFloat automaticDimension = UITableViewAutomaticDimension;

  static std::shared_ptr<UITableView> create(const CGRect& frame = CGRect::zero,
                                             UITableViewStyle style = UITableViewStyle::plain);
  UITableView(const CGRect& frame, UITableViewStyle style);
  ~UITableView() override;

  UITableViewStyle style() const { return style_; }

  std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(std::weak_ptr<UITableViewDataSource> dataSource);
  // Also the scroll view's delegate.
  std::shared_ptr<UITableViewDelegate> delegate() const { return tableDelegate_.lock(); }
  void setDelegate(std::weak_ptr<UITableViewDelegate> delegate);

  CGFloat rowHeight = 44;
  CGFloat sectionHeaderHeight = UITableViewAutomaticDimension;
  CGFloat sectionFooterHeight = UITableViewAutomaticDimension;
  CGFloat estimatedRowHeight = UITableViewAutomaticDimension;
  CGFloat estimatedSectionHeaderHeight = UITableViewAutomaticDimension;
  CGFloat estimatedSectionFooterHeight = UITableViewAutomaticDimension;
  // Kept for callers; separators are not drawn.
  UITableViewCellSeparatorStyle separatorStyle = UITableViewCellSeparatorStyle::singleLine;
  std::shared_ptr<UIColor> separatorColor;
  UIEdgeInsets separatorInset{0, 15, 0, 0};
  bool allowsSelection = true;
  bool allowsMultipleSelection = false;

  // Views above the first section and below the last, at their own frame heights.
  const std::shared_ptr<UIView>& tableHeaderView() const { return tableHeaderView_; }
  void setTableHeaderView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIView>& tableFooterView() const { return tableFooterView_; }
  void setTableFooterView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIView>& backgroundView() const { return backgroundView_; }
  void setBackgroundView(std::shared_ptr<UIView> view);

  // ---- Registration and reuse. A later registration for an identifier replaces the earlier one.
  using CellFactory = std::function<std::shared_ptr<UITableViewCell>()>;
  void registerNib(std::shared_ptr<UINib> nib, const std::string& reuseIdentifier);
  void registerClass(CellFactory factory, const std::string& reuseIdentifier);
  template <class Cell>
  void registerClass(const std::string& reuseIdentifier) {
    registerClass(
        [reuseIdentifier] { return std::make_shared<Cell>(UITableViewCellStyle::default_, reuseIdentifier); },
        reuseIdentifier);
  }
  // By registered class name (the class registry's factory).
  void registerClass(const std::string& className, const std::string& reuseIdentifier);
  using HeaderFooterFactory = std::function<std::shared_ptr<UITableViewHeaderFooterView>()>;
  void registerNibForHeaderFooter(std::shared_ptr<UINib> nib, const std::string& reuseIdentifier);
  void registerClassForHeaderFooter(HeaderFooterFactory factory, const std::string& reuseIdentifier);

  // A pooled cell, else a new one from the registration; null when neither exists.
  std::shared_ptr<UITableViewCell> dequeueReusableCell(const std::string& identifier);
  // Never null: an unregistered identifier is a programmer error (stops with a message), and so is
  // a nib that cannot be loaded or holds no cell.
  std::shared_ptr<UITableViewCell> dequeueReusableCell(const std::string& identifier,
                                                       const IndexPath& indexPath);
  // The same two, typed: `tableView.dequeueReusableCell<Cell>(identifier, indexPath)`. A dequeued
  // cell that is not a `Cell` is a programmer error (stops with a message), so a caller never tests
  // the result for null except, as above, when it dequeues an unregistered identifier without an
  // index path.
  template <class Cell>
  std::shared_ptr<Cell> dequeueReusableCell(const std::string& identifier) {
    auto cell = dequeueReusableCell(identifier);
    return cell ? cell->template sharedAs<Cell>() : nullptr;
  }
  template <class Cell>
  std::shared_ptr<Cell> dequeueReusableCell(const std::string& identifier, const IndexPath& indexPath) {
    return dequeueReusableCell(identifier, indexPath)->template sharedAs<Cell>();
  }
  std::shared_ptr<UITableViewHeaderFooterView> dequeueReusableHeaderFooterView(const std::string& identifier);

  // ---- Data
  // Drops every row and section view in view back to the pools; counts, heights and cells are asked
  // for again at the next layout.
  void reloadData();
  // Rebuilds the given sections' or rows' cells and re-measures them at the next layout.
  void reloadSections(const std::set<int>& sections,
                      UITableViewRowAnimation animation = UITableViewRowAnimation::automatic);
  void reloadRows(const std::vector<IndexPath>& indexPaths,
                  UITableViewRowAnimation animation = UITableViewRowAnimation::automatic);
  // With no changes between them, `endUpdates` asks every height again and lays out.
  void beginUpdates();
  void endUpdates();

  int numberOfSections();
  int numberOfRows(int section);

  // ---- Geometry and queries (content coordinates)
  CGRect rectForRow(const IndexPath& indexPath);
  CGRect rectForHeader(int section);
  CGRect rectForFooter(int section);
  CGRect rectForSection(int section);
  std::optional<IndexPath> indexPathForRow(CGPoint point);
  // The cell showing a row, or null when the row is not in view.
  std::shared_ptr<UITableViewCell> cellForRow(const IndexPath& indexPath) const;
  std::optional<IndexPath> indexPath(const UITableViewCell& cell) const;
  std::vector<std::shared_ptr<UITableViewCell>> visibleCells() const;
  std::vector<IndexPath> indexPathsForVisibleRows() const;
  std::shared_ptr<UIView> headerView(int section) const;
  std::shared_ptr<UIView> footerView(int section) const;

  void scrollToRow(const IndexPath& indexPath, UITableViewScrollPosition position, bool animated);

  // ---- Selection (programmatic changes call no delegate method)
  void selectRow(std::optional<IndexPath> indexPath, bool animated, UITableViewScrollPosition position);
  void deselectRow(const IndexPath& indexPath, bool animated);
  std::optional<IndexPath> indexPathForSelectedRow() const;
  std::vector<IndexPath> indexPathsForSelectedRows() const;

  void layoutSubviews() override;
  void willMoveToSuperview(const std::shared_ptr<UIView>& superview) override;

  // How many cells the table has made since it was created (pool misses); for tests and benches.
  std::size_t cellsCreated() const { return cellsCreated_; }

 private:
  struct Registration {
    std::shared_ptr<UINib> nib;
    CellFactory factory;
  };
  struct HeaderFooterRegistration {
    std::shared_ptr<UINib> nib;
    HeaderFooterFactory factory;
  };
  struct Extent {
    CGFloat height = 0;
    bool automatic = false;  // measured from the view when built
    bool measured = false;
  };
  struct Section {
    Extent header;
    Extent footer;
    std::vector<Extent> rows;
    CGFloat top = 0;               // of the header
    std::vector<CGFloat> rowTops;  // of each row
    CGFloat height = 0;            // header + rows + footer
  };
  enum class SectionViewKind { header, footer };
  struct SectionViewKey {
    int section;
    SectionViewKind kind;
    friend auto operator<=>(const SectionViewKey&, const SectionViewKey&) = default;
  };

  void installTap();
  void handleTap();
  void userSelect(const IndexPath& indexPath);
  void loadDataIfNeeded();
  void loadData();
  Extent rowExtent(const IndexPath& indexPath);
  Extent sectionViewExtent(int section, SectionViewKind kind);
  void computeOffsets();
  CGFloat sectionsTop() const;
  void layoutVisible();
  bool buildVisible(const CGRect& visible);
  bool buildSectionView(int section, SectionViewKind kind, const CGRect& visible);
  // Sends what left `visible` back to the pools and, with `place`, sets the frames of the rest.
  void placeVisible(const CGRect& visible, bool place);
  void enqueueCell(const IndexPath& indexPath, const std::shared_ptr<UITableViewCell>& cell);
  void enqueueSectionView(const std::shared_ptr<UIView>& view);
  void dropAllVisible();
  CGFloat measure(UIView& view, CGFloat width) const;
  CGRect sectionViewRect(int section, SectionViewKind kind, const CGRect& visible) const;
  bool validIndexPath(const IndexPath& indexPath) const;
  std::shared_ptr<UITableViewCell> makeCell(const std::string& identifier);

  UITableViewStyle style_;
  std::weak_ptr<UITableViewDataSource> dataSource_;
  std::weak_ptr<UITableViewDelegate> tableDelegate_;
  std::shared_ptr<UITapGestureRecognizer> tap_;
  bool tapInstalled_ = false;

  std::map<std::string, Registration, std::less<>> registrations_;
  std::map<std::string, HeaderFooterRegistration, std::less<>> headerFooterRegistrations_;
  std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>, std::less<>> cellPool_;
  std::map<std::string, std::vector<std::shared_ptr<UITableViewHeaderFooterView>>, std::less<>>
      headerFooterPool_;

  bool dataValid_ = false;
  bool heightsValid_ = false;
  int updatesDepth_ = 0;
  std::vector<Section> sections_;
  CGFloat contentHeight_ = 0;
  std::map<IndexPath, std::shared_ptr<UITableViewCell>> visibleCells_;
  std::map<SectionViewKey, std::shared_ptr<UIView>> visibleSectionViews_;
  std::set<IndexPath> selected_;
  std::set<IndexPath> stale_;  // rows whose cells must be asked for again

  std::shared_ptr<UIView> tableHeaderView_;
  std::shared_ptr<UIView> tableFooterView_;
  std::shared_ptr<UIView> backgroundView_;
  std::size_t cellsCreated_ = 0;
  bool layingOut_ = false;
};

}  // namespace ios
