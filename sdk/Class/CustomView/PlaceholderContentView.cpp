#include <Class/CustomView/PlaceholderContentView.h>

#include <CoreText/UIFont.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <algorithm>

namespace kerbelin {

namespace {

constexpr ios::CGFloat kSideMargin = 24;
constexpr ios::CGFloat kLineGap = 8;

const auto registration =
    ios::ClassRegistration<PlaceholderContentView, ios::UIView>("PlaceholderContentView")
        .factory([] { return PlaceholderContentView::create(); })
        .property("title", &PlaceholderContentView::title, &PlaceholderContentView::setTitle);

std::shared_ptr<ios::UILabel> makeLabel(std::shared_ptr<ios::UIFont> font, const std::string& colour) {
  auto label = ios::UILabel::create();
  label->setFont(std::move(font));
  label->setTextColor(colorWithRGBA(colour));
  label->setTextAlignment(ios::NSTextAlignment::center);
  label->setNumberOfLines(0);
  return label;
}

}  // namespace

std::shared_ptr<PlaceholderContentView> PlaceholderContentView::create(const std::string& title) {
  auto view = std::make_shared<PlaceholderContentView>(Passkey());
  view->build();
  view->setTitle(title);
  return view;
}

PlaceholderContentView::PlaceholderContentView(Passkey) {}

void PlaceholderContentView::build() {
  setBackgroundColor(ios::UIColor::white());
  titleLabel_ = makeLabel(ios::UIFont::boldSystemFont(20), "#333333");
  messageLabel_ = makeLabel(ios::UIFont::systemFont(15), "#8E8E93");
  messageLabel_->setText(std::string(kNotBuiltMessage));
  addSubview(titleLabel_);
  addSubview(messageLabel_);
}

std::string PlaceholderContentView::title() const {
  return titleLabel_->text().value_or("");
}

void PlaceholderContentView::setTitle(const std::string& title) {
  if (titleLabel_->text() == title) return;
  titleLabel_->setText(title);
  setNeedsLayout();
}

void PlaceholderContentView::layoutSubviews() {
  const ios::CGRect area = bounds();
  const ios::CGFloat width = std::max<ios::CGFloat>(0, area.size.width - 2 * kSideMargin);
  const ios::CGFloat titleHeight = titleLabel_->sizeThatFits({width, 1e6}).height;
  const ios::CGFloat messageHeight = messageLabel_->sizeThatFits({width, 1e6}).height;
  const ios::CGFloat top = (area.size.height - titleHeight - kLineGap - messageHeight) / 2;
  titleLabel_->setFrame({{kSideMargin, top}, {width, titleHeight}});
  messageLabel_->setFrame({{kSideMargin, top + titleHeight + kLineGap}, {width, messageHeight}});
}

}  // namespace kerbelin
