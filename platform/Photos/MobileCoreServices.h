#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Uniform type identifiers and their tags (MobileCoreServices).
inline constexpr const char* kUTTypeJPEG = "public.jpeg";
inline constexpr const char* kUTTypePNG = "public.png";
inline constexpr const char* kUTTypeGIF = "com.compuserve.gif";
inline constexpr const char* kUTTypeTIFF = "public.tiff";
inline constexpr const char* kUTTypeBMP = "com.microsoft.bmp";
inline constexpr const char* kUTTypeHEIC = "public.heic";
inline constexpr const char* kUTTypeHEIF = "public.heif";
inline constexpr const char* kUTTypeWebP = "org.webmproject.webp";
inline constexpr const char* kUTTypeQuickTimeMovie = "com.apple.quicktime-movie";
inline constexpr const char* kUTTypeMPEG4 = "public.mpeg-4";
inline constexpr const char* kUTTypeMPEG = "public.mpeg";
inline constexpr const char* kUTTypeAVIMovie = "public.avi";
inline constexpr const char* kUTType3GPP = "public.3gpp";
inline constexpr const char* kUTTypeMP3 = "public.mp3";
inline constexpr const char* kUTTypeMPEG4Audio = "public.mpeg-4-audio";
inline constexpr const char* kUTTypePDF = "com.adobe.pdf";
inline constexpr const char* kUTTypePlainText = "public.plain-text";
inline constexpr const char* kUTTypeHTML = "public.html";
inline constexpr const char* kUTTypeJSON = "public.json";

inline constexpr const char* kUTTagClassMIMEType = "public.mime-type";
inline constexpr const char* kUTTagClassFilenameExtension = "public.filename-extension";

// `UTTypeCopyPreferredTagWithClass(uti, tagClass)`: the preferred MIME type or file-name extension
// of a known type identifier ("public.jpeg" -> "image/jpeg" or "jpeg"); nullopt for an unknown
// identifier or tag class. Identifiers compare without regard to case, as on the platform.
std::optional<std::string> UTTypeCopyPreferredTagWithClass(std::string_view uti, std::string_view tagClass);

// `UTTypeCreatePreferredIdentifierForTag(tagClass, tag, nil)`: the known identifier of a MIME type
// or extension ("jpg" -> "public.jpeg"); nullopt when no known type has that tag.
std::optional<std::string> UTTypeCreatePreferredIdentifierForTag(std::string_view tagClass,
                                                                 std::string_view tag);

}  // namespace ios
