// The plugin's own global allocation functions: exhausted memory is a fatal fault that names the
// number of bytes requested (no exception ever reaches the host). The plugin binary carries its C++
// run-time library inside, so these cover all of its code.
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string_view>

#include "runtime/platform.h"

namespace {

[[noreturn]] void reportExhaustedMemory(std::size_t size) {
  static bool reporting = false;
  if (reporting) {
    std::abort();  // the report itself found no memory
  }
  reporting = true;
  // Composed on the stack: no allocation while memory is exhausted.
  static constexpr char head[] = "Vexlo: out of memory (";
  static constexpr char tail[] = " bytes requested)";
  char digits[24];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + size % 10);
    size /= 10;
  } while (size != 0);
  char message[sizeof head + sizeof digits + sizeof tail];
  std::size_t length = 0;
  for (const char c : std::string_view(head)) message[length++] = c;
  while (count != 0) message[length++] = digits[--count];
  for (const char c : std::string_view(tail)) message[length++] = c;
  message[length] = '\0';
  vexlo::platformFatalFault(std::string_view(message, length));
}

}  // namespace

void* operator new(std::size_t size) {
  const std::size_t bytes = size == 0 ? 1 : size;
  for (;;) {
    if (void* block = std::malloc(bytes)) {
      return block;
    }
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) {
      reportExhaustedMemory(size);
    }
    handler();
  }
}

void* operator new[](std::size_t size) { return ::operator new(size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
