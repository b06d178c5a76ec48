// A second process for the disk-cache test: reads one key from a cache directory that another
// process filled, and prints the image's pixel size.
#include <WebImage/SDImageCache.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  auto cache = ios::SDImageCache::create(argv[1]);
  auto image = cache->imageFromDiskCache(argv[2]);
  if (!image || !image->cgImage()) return 1;
  std::printf("%dx%d\n", image->cgImage()->width(), image->cgImage()->height());
  return 0;
}
