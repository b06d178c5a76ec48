#include <Class/DetailCard/Model/DetailCardTableModel.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Ultilities/Extensions/StringExtension.h>

namespace kerbelin {

namespace {

int count(std::size_t size) {
  return static_cast<int>(size);
}

DetailCardSection single(TypeCellDetailCard kind, DetailCardRow row) {
  return {kind, row, 1, DetailCardHeader::none};
}

DetailCardSection promotions(const CardModel& card, TypeDetailCard type) {
  const auto header = isNotYetPaid(type) ? DetailCardHeader::promotions : DetailCardHeader::promotionsWithGuide;
  return {TypeCellDetailCard::Promotion, DetailCardRow::promotion, count(card.promotionDtos.size()), header};
}

DetailCardSection services(const CardModel& card, TypeDetailCard type, TypeDetailCardTabAction tab) {
  const int listed = count(detailCardServices(card, type).size());
  if (!isNotYetPaid(type)) {
    return {TypeCellDetailCard::InfomationService, DetailCardRow::ownedService, listed,
            DetailCardHeader::servicesTitle};
  }
  if (tab == TypeDetailCardTabAction::RuleButton) {
    return {TypeCellDetailCard::InfomationService, DetailCardRow::terms, 1, DetailCardHeader::tabs};
  }
  return {TypeCellDetailCard::InfomationService, DetailCardRow::service, listed, DetailCardHeader::tabs};
}

}  // namespace

std::vector<DetailCardSection> detailCardSections(const CardModel& card, TypeDetailCard type,
                                                  TypeDetailCardTabAction tab) {
  const bool owned = type == TypeDetailCard::Paid || type == TypeDetailCard::Expire;
  std::vector<DetailCardSection> sections{owned ? single(TypeCellDetailCard::Condition, DetailCardRow::condition)
                                                : single(TypeCellDetailCard::Cover, DetailCardRow::cover)};
  if (card.rootService) sections.push_back(single(TypeCellDetailCard::Infomation, DetailCardRow::information));
  if (!card.promotionDtos.empty()) sections.push_back(promotions(card, type));
  if (type == TypeDetailCard::WaitPay) {
    sections.push_back(single(TypeCellDetailCard::ConditionWait, DetailCardRow::waitCondition));
  }
  if (!detailCardServices(card, type).empty() || length(card.usageTerms) > 0) {
    sections.push_back(services(card, type, tab));
  }
  return sections;
}

const std::vector<std::shared_ptr<DefServiceDtos>>& detailCardServices(const CardModel& card, TypeDetailCard type) {
  return type == TypeDetailCard::UnPaid ? card.defServiceDtos : card.ownServiceDtos;
}

std::shared_ptr<DefServiceDtos> serviceAt(const std::vector<std::shared_ptr<DefServiceDtos>>& services, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < services.size() ? services[index] : nullptr;
}

bool isNotYetPaid(TypeDetailCard type) {
  return type == TypeDetailCard::UnPaid || type == TypeDetailCard::WaitPay;
}

}  // namespace kerbelin
