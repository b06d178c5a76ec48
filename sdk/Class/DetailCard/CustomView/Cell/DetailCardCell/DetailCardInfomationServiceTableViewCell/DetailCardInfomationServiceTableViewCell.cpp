#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationServiceTableViewCell/DetailCardInfomationServiceTableViewCell.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/DefServiceUnitDtos.h>
#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/StruckText.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/URL.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
using Cell = DetailCardInfomationServiceTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("titleLabel", &Cell::titleLabel)
                              .property("detailButton", &Cell::detailButton)
                              .property("priceLabel", &Cell::priceLabel)
                              .property("priceLabel1", &Cell::priceLabel1)
                              .property("priceLabel2", &Cell::priceLabel2)
                              .property("expiredDateLabel", &Cell::expiredDateLabel)
                              .property("termLabel", &Cell::termLabel)
                              .property("iconImageView", &Cell::iconImageView)
                              .property("containerView", &Cell::containerView)
                              .method("detailButtonClicked:", &Cell::detailButtonClicked);

// The texts a service shows, from the field set its own state selects.
struct Fields {
  std::string title;
  std::optional<std::string> unit;
  std::optional<std::string> terms;
};

Fields fieldsOf(const DefServiceDtos& service) {
  if (service.type == TypeDetailCard::UnPaid) {
    const auto& units = service.defServiceUnitDtos;
    const bool hasUnit = units && !units->empty() && units->front();
    return {service.name, hasUnit ? std::optional(units->front()->displayLimitUnit) : std::nullopt,
            service.usageDesciption};
  }
  const auto& accounts = service.ownAccountDtos;
  const bool hasUnit = !accounts.empty() && accounts.front();
  return {service.namDefService, hasUnit ? std::optional(accounts.front()->allocatedUnit) : std::nullopt,
          service.usageDescription};
}
}  // namespace

std::shared_ptr<DetailCardInfomationServiceTableViewCell> DetailCardInfomationServiceTableViewCell::create() {
  return std::make_shared<DetailCardInfomationServiceTableViewCell>();
}

DetailCardInfomationServiceTableViewCell::DetailCardInfomationServiceTableViewCell() = default;

void DetailCardInfomationServiceTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto container = containerView.lock()) Common::SetShadowAndcornerRadiusView(*container, 8);
}

void DetailCardInfomationServiceTableViewCell::setDefServiceDtos(std::shared_ptr<DefServiceDtos> service) {
  service_ = std::move(service);
  if (!service_) return;
  const DefServiceDtos& shown = *service_;
  const Fields fields = fieldsOf(shown);
  if (auto title = titleLabel.lock()) title->setText(fields.title);
  if (auto price = priceLabel.lock()) price->setText(shown.unitPrice + " x " + fields.unit.value_or(""));
  if (auto terms = termLabel.lock()) {
    const auto source = fields.terms ? fields.terms : fields.unit;
    terms->setAttributedText(source ? htmlToAttributedString(convertHtml(*source, 15)) : nullptr);
  }
  auto listed = priceLabel2.lock();
  if (listed) listed->setHidden(shown.priceNumber == shown.listedPriceNumber);
  if (auto price = priceLabel1.lock()) price->setText(shown.price);
  if (listed) listed->setAttributedText(struckText(shown.listedPrice));
  if (auto expiry = expiredDateLabel.lock()) {
    auto text = htmlToAttributedString(convertHtml(shown.expiryDate, 15));
    if (text) semiBold(*text);
    expiry->setAttributedText(text);
  }
  if (auto icon = iconImageView.lock()) {
    ios::sd_setImage(*icon, ios::URL::fromString(shown.providerDto ? shown.providerDto->logo : ""));
  }
}

void DetailCardInfomationServiceTableViewCell::detailButtonClicked(const std::shared_ptr<ios::UIButton>& sender) {
  if (auto host = delegate.lock(); host && sender) host->detailAction(static_cast<int>(sender->tag));
}

}  // namespace kerbelin
