#pragma once

// PDF output of lumora-cli. The report engine is Qt, and lumora-cli links no Qt so that
// its other commands start at once; the engine therefore lives in a small module,
// lumora-cli-pdf.so, installed beside the program and loaded only for `--pdf`. The two
// meet at one C function, so neither depends on the other's C++ symbols.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::cli {

// ---- The module's side

inline constexpr const char kPdfModuleFile[] = "lumora-cli-pdf.so";
inline constexpr const char kPdfRenderSymbol[] = "lumora_cli_render_pdf";
// Raised whenever the call below changes; a module of another build refuses the call.
inline constexpr int kPdfModuleAbi = 1;

extern "C" {
// Receives the finished PDF once, during the call below.
using TPdfSink = void (*)(void* context, const unsigned char* data, std::size_t size);
// Lays out the data file of the named report ("track") as the editor's report window
// does and paints it as a PDF, as the preview's Save as PDF does, handing the bytes to
// sink. 0 on success; otherwise a one-line reason is left in why (always NUL-terminated
// when whySize > 0). The module writes no file: the program saves the bytes itself.
using TRenderPdfFunction = int (*)(int abi, const char* report, const char* dataFile, TPdfSink sink, void* context,
                                   char* why, std::size_t whySize);
}

// ---- The program's side

// Where the module is looked for: the folder this program runs from.
std::string PdfModulePath();
// Renders through the module (loaded on first use and kept) into pdf; nothing on
// success, else the one-line reason, which names the module when it cannot be loaded.
std::optional<std::string> RenderReportPdf(std::string_view report, const std::string& dataFile,
                                           std::vector<std::uint8_t>& pdf);

} // namespace lumora::cli
