#pragma once

// GIF data into one animated image the platform can play: each frame is repeated so that, played at
// equal intervals of the greatest common divisor of the delays, it stays for its own delay. Each free
// function stands for the image type's member of the same name.

#include <Foundation/Data.h>
#include <ImageIO/CGImageSource.h>
#include <UIKit/UIImage.h>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace kerbelin {

// Null after one console line when the bytes hold no image.
std::shared_ptr<ios::UIImage> gifImageWithData(const ios::Data& data);
// Reads the whole resource at `gifUrl` synchronously (file, bundle or plain path; http and https
// through the shared HTTP client, the main loop running until the reply, so main thread only); null
// after one console line when the text is no URL or the resource cannot be read (a status other
// than 2xx included).
std::shared_ptr<ios::UIImage> gifImageWithURL(std::string_view gifUrl);
// The resource "`name`.gif" of the main bundle; null after one console line when it is missing or
// unreadable.
std::shared_ptr<ios::UIImage> gifImageWithName(std::string_view name);

// The frames of `source` with their delays. A frame that cannot be decoded is left out together
// with its delay; a source of which no frame decodes gives null.
std::shared_ptr<ios::UIImage> animatedImageWithSource(const std::shared_ptr<ios::CGImageSource>& source);

// The frame's delay in seconds: the unclamped delay, or the clamped one when that is exactly 0,
// never below 0.1; 0.1 for a frame without delays.
double delayForImageAtIndex(long index, const std::shared_ptr<ios::CGImageSource>& source);

// Greatest common divisor; an absent side gives the other (0 when both are absent).
long gcdForPair(std::optional<long> a, std::optional<long> b);
// Of every element; 1 for an empty list.
long gcdForArray(const std::vector<long>& array);

}  // namespace kerbelin
