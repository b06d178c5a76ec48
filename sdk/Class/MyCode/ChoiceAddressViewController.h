#pragma once

#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class AreaModel;

// Told which row of the picker list was tapped: the area of that row (none when the list shows plain
// titles) and the row's index.
class ChoiceAddressViewControllerDelegate {
 public:
  virtual ~ChoiceAddressViewControllerDelegate() = default;
  virtual void ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) = 0;
};

// The one-column list inside the picker sheet (scene "ChoiceAddressViewController" of the storyboard
// "MyCode"). It shows `arrayText` when present, even empty, else the areas' full names, and marks
// row `indexChoiced`. A tap only reports the row: the mark stays where it was, since the sheet closes.
class ChoiceAddressViewController : public ios::UIViewController,
                                    public ios::UITableViewDataSource,
                                    public ios::UITableViewDelegate {
 public:
  static std::shared_ptr<ChoiceAddressViewController> create();

  std::vector<std::shared_ptr<AreaModel>> arrayArea;
  std::optional<std::vector<std::string>> arrayText;
  int indexChoiced = -1;
  // Held weakly: the sheet's host owns this list.
  std::weak_ptr<ChoiceAddressViewControllerDelegate> delegate;
  std::weak_ptr<ios::UITableView> tableView;

  void viewDidLoad() override;
  // Brings the marked row to the top of the list, unless it is the first row or none.
  void viewDidAppear(bool animated) override;

  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  void didSelectRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;

 private:
  int rowCount() const;
};

}  // namespace kerbelin
