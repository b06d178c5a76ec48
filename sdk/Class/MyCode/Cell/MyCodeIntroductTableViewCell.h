#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class ProvideInforModel;

// One provider record on the introduction tab: its HTML introduction and its mail, website and social
// links, each opened through the system's URL opener when tapped.
class MyCodeIntroductTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCodeIntroductTableViewCell";

  static std::shared_ptr<MyCodeIntroductTableViewCell> create();

  std::weak_ptr<ios::UIView> viewContent;
  std::weak_ptr<ios::UILabel> labelEmail;
  std::weak_ptr<ios::UILabel> labelWebsite;
  std::weak_ptr<ios::UILabel> labelFacebook;
  std::weak_ptr<ios::UILabel> labelInfor;
  std::shared_ptr<ProvideInforModel> objIntroduct;

  void awakeFromNib() override;
  // Shows the record's texts as stored; an introduction that is not readable HTML leaves its label
  // empty.
  void GetDataInfor(const std::shared_ptr<ProvideInforModel>& obj);
  // Without a record, or with a text that makes no URL, these open nothing.
  void pressedEmail(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void pressedWebsite(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void pressedFacebook(const std::shared_ptr<ios::NSObject>& sender = nullptr);
};

}  // namespace kerbelin
