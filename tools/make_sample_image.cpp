// Writes a synthetic cartridge image to try Tivok on:
//   make_sample_image PATH [SIZE_IN_BYTES]
#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <filesystem>
#endif

#include "sample_image.h"

namespace {

void PrintUsage(std::FILE* to, const char* program) {
  std::fprintf(to,
               "usage: %s PATH [SIZE_IN_BYTES]\n"
               "Writes a synthetic cartridge image (256 KiB by default) to "
               "the new file PATH;\nrefuses to overwrite a file that "
               "exists.\n",
               program);
}

int Run(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    PrintUsage(stdout, argv[0]);
    return 0;
  }
  // No option is known but --help; a name starting with '-' is taken for
  // a mistyped option rather than written.
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') {
      std::fprintf(stderr, "make_sample_image: unknown option %s\n", argv[i]);
      PrintUsage(stderr, argv[0]);
      return 2;
    }
  }
  if (argc < 2 || argc > 3) {
    PrintUsage(stderr, argv[0]);
    return 2;
  }
  std::size_t size = tivok::kSampleImageSize;
  if (argc == 3) {
    const std::string_view text = argv[2];
    auto result = std::from_chars(text.data(), text.data() + text.size(), size);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
      std::fprintf(stderr, "not a size in bytes: %s\n", argv[2]);
      return 2;
    }
  }
  try {
    tivok::WriteNewFile(argv[1], tivok::MakeSampleImage(size));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_image: %s\n", e.what());
    return 1;
  }
  std::printf("wrote %s (%zu bytes)\n", argv[1], size);
  return 0;
}

}  // namespace

#ifdef _WIN32
// Windows hands a narrow main its arguments in the local code page; the
// wide ones, turned into UTF-8, keep every name.
int wmain(int argc, wchar_t** wide_argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    const std::u8string utf8 = std::filesystem::path(wide_argv[i]).u8string();
    args.emplace_back(utf8.begin(), utf8.end());
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return Run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
