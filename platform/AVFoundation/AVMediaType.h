#pragma once

namespace ios {

enum class AVMediaType { video, audio };
inline constexpr AVMediaType AVMediaTypeVideo = AVMediaType::video;

enum class AVAuthorizationStatus { notDetermined, restricted, denied, authorized };

}  // namespace ios
