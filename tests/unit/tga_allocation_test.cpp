// The reader's answer when memory runs out. This program replaces the global operator new
// so that allocations of one chosen size fail, which is how a failed buffer looks to the
// reader.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "textures/tga_reader.h"
#include "unit/tga_test_support.h"

namespace {
std::atomic<size_t> gFailingSize{0};
}

void* operator new(std::size_t size) {
  if (size != 0 && size == gFailingSize.load()) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
// GCC 12 cannot see that these deletes pair with the operator new above.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace {

using tga_test::MakeTga;
using tga_test::Message;

// Decodes `file` while allocations of `size` bytes fail; without failures it must decode.
std::vector<Message> DecodeFailing(const std::vector<uint8_t>& file, size_t size) {
  TgaImage image;
  tga_test::MessageLog log;
  log.Messages.reserve(4);
  gFailingSize = size;
  EXPECT_FALSE(ReadTgaBytes(image, file, log.Sink()));
  gFailingSize = 0;
  EXPECT_EQ(image.Pixels.capacity(), 0u) << "the pixel buffer is released";
  EXPECT_TRUE(ReadTgaBytes(image, file, log.Sink())) << "fails only for want of memory";
  return log.Messages;
}

TEST(TgaOutOfMemory, PixelBuffer) {
  // 4 x 4 x 4 = 64 bytes of pixels; 16 one-pixel raw packets make 80 bytes of data.
  for (uint8_t type : {2, 10})
    EXPECT_EQ(DecodeFailing(MakeTga(type, 4, 4, 32, std::vector<uint8_t>(80, 0)), 64),
              (std::vector<Message>{{"Could not allocate memory for image", "ERROR"}}));
}

TEST(TgaOutOfMemory, ColourBuffer) {
  // 5 x 5 x 3 = 75 bytes of pixels, then the 3-byte colour buffer of the packet reader.
  EXPECT_EQ(DecodeFailing(MakeTga(10, 5, 5, 24, {152, 1, 2, 3}), 3),
            (std::vector<Message>{{"Could not allocate memory for color buffer", "ERROR"}}));
}

}  // namespace
