#include <AVFoundation/FileFrameSource.h>
#include <UIKit/UIImage.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

namespace ios {
namespace {

bool isImageFileName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".png" || extension == ".jpg" || extension == ".jpeg" || extension == ".gif";
}

std::vector<std::string> expand(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> inside;
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
      if (entry.is_regular_file(error) && isImageFileName(entry.path()))
        inside.push_back(entry.path().string());
    }
    std::sort(inside.begin(), inside.end());
    files.insert(files.end(), inside.begin(), inside.end());
  }
  return files;
}

}  // namespace

FileFrameSource::FileFrameSource(std::vector<std::string> paths, double framesPerSecond, bool withTorch)
    : paths_(std::move(paths)),
      framesPerSecond_(framesPerSecond > 0 ? framesPerSecond : 10),
      withTorch_(withTorch) {}

bool FileFrameSource::setTorch(bool on, float, std::string& error) {
  if (!withTorch_) return AVCaptureFrameSource::setTorch(on, 0, error);
  torchLit_ = on;
  return true;
}

FileFrameSource::~FileFrameSource() {
  stop();
}

bool FileFrameSource::open(std::string& error) {
  if (!frames_.empty()) return true;
  for (const std::string& file : expand(paths_)) {
    if (auto image = UIImage::contentsOfFile(file); image && image->cgImage())
      frames_.push_back(image->cgImage());
  }
  if (frames_.empty()) error = "Cannot Open: the camera has no pictures to play.";
  return !frames_.empty();
}

bool FileFrameSource::start(FrameHandler handler, std::string& error) {
  if (!open(error)) return false;
  handler_ = std::move(handler);
  if (!running_) {
    running_ = true;
    scheduleNext();
  }
  return true;
}

void FileFrameSource::stop() {
  if (!running_) return;
  running_ = false;
  RunLoop::main().cancel(task_);
}

void FileFrameSource::scheduleNext() {
  std::weak_ptr<FileFrameSource*> weak = self_;
  task_ = RunLoop::main().performAfter(1.0 / framesPerSecond_, [weak] {
    const auto alive = weak.lock();
    if (!alive || !(*alive)->running_) return;
    FileFrameSource& source = **alive;
    const auto frame = source.frames_[source.next_];
    source.next_ = (source.next_ + 1) % source.frames_.size();
    source.scheduleNext();
    if (source.handler_) source.handler_(frame);
  });
}

}  // namespace ios
