#include <ObjectMapper/Mapper.h>

namespace ios {
namespace {
thread_local int mappingDepth = 0;
}  // namespace

MappingDepthScope::MappingDepthScope() : entered_(mappingDepth < kMaxMappingDepth) {
  if (entered_) ++mappingDepth;
}

MappingDepthScope::~MappingDepthScope() {
  if (entered_) --mappingDepth;
}

}  // namespace ios
