#include <Photos/MobileCoreServices.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace ios {
namespace {

struct TypeTags {
  const char* identifier;
  const char* mimeType;  // the preferred one first
  std::initializer_list<const char*> extensions;
  std::initializer_list<const char*> otherMimeTypes = {};
};

const TypeTags kTypes[] = {
    {kUTTypeJPEG, "image/jpeg", {"jpeg", "jpg", "jpe"}, {"image/jpg"}},
    {kUTTypePNG, "image/png", {"png"}},
    {kUTTypeGIF, "image/gif", {"gif"}},
    {kUTTypeTIFF, "image/tiff", {"tiff", "tif"}},
    {kUTTypeBMP, "image/bmp", {"bmp"}, {"image/x-bmp"}},
    {kUTTypeHEIC, "image/heic", {"heic"}},
    {kUTTypeHEIF, "image/heif", {"heif"}},
    {kUTTypeWebP, "image/webp", {"webp"}},
    {kUTTypeQuickTimeMovie, "video/quicktime", {"mov", "qt"}},
    {kUTTypeMPEG4, "video/mp4", {"mp4"}},
    {"com.apple.m4v-video", "video/x-m4v", {"m4v"}},
    {kUTTypeMPEG, "video/mpeg", {"mpg", "mpeg"}},
    {kUTTypeAVIMovie, "video/avi", {"avi"}, {"video/x-msvideo"}},
    {kUTType3GPP, "video/3gpp", {"3gp", "3gpp"}},
    {kUTTypeMP3, "audio/mpeg", {"mp3"}},
    {kUTTypeMPEG4Audio, "audio/mp4", {"m4a"}},
    {kUTTypePDF, "application/pdf", {"pdf"}},
    {kUTTypePlainText, "text/plain", {"txt", "text"}},
    {kUTTypeHTML, "text/html", {"html", "htm"}},
    {kUTTypeJSON, "application/json", {"json"}},
};

std::string lowercase(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

const TypeTags* find(std::string_view identifier) {
  const std::string key = lowercase(identifier);
  for (const TypeTags& type : kTypes) {
    if (key == type.identifier) return &type;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> UTTypeCopyPreferredTagWithClass(std::string_view uti, std::string_view tagClass) {
  const TypeTags* type = find(uti);
  if (!type) return std::nullopt;
  if (tagClass == kUTTagClassMIMEType) return type->mimeType;
  if (tagClass == kUTTagClassFilenameExtension) return *type->extensions.begin();
  return std::nullopt;
}

std::optional<std::string> UTTypeCreatePreferredIdentifierForTag(std::string_view tagClass,
                                                                 std::string_view tag) {
  const std::string key = lowercase(tag);
  for (const TypeTags& type : kTypes) {
    if (tagClass == kUTTagClassMIMEType) {
      if (key == type.mimeType) return type.identifier;
      for (const char* other : type.otherMimeTypes) {
        if (key == other) return type.identifier;
      }
    } else if (tagClass == kUTTagClassFilenameExtension) {
      for (const char* extension : type.extensions) {
        if (key == extension) return type.identifier;
      }
    }
  }
  return std::nullopt;
}

}  // namespace ios
