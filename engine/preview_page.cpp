#include "engine/preview_page.h"

#include <algorithm>
#include <cinttypes>

#include "engine/png_writer.h"
#include "platform/text_encoding.h"

namespace {

constexpr const char* kStyle =
    "body{font:14px/1.4 system-ui,sans-serif;margin:1em 2em;color:#222;background:#f6f6f6}"
    "h1{font-size:1.3em}h2{font:bold 1em monospace;margin:1.2em 0 .3em}"
    "dl{display:grid;grid-template-columns:max-content auto;gap:0 1em;margin:.3em 0}"
    "dt{color:#555}dd{margin:0}"
    "section{border-top:1px solid #ccc;padding:.4em 0}"
    ".line{font-family:monospace;white-space:pre-wrap;margin:.2em 0}"
    ".rejected .line{color:#a00}"
    ".pair{display:flex;flex-wrap:wrap;gap:1.5em;align-items:flex-start}"
    "figure{margin:0}figcaption{font-size:.85em;color:#555}"
    // Transparent source pixels show over a checkerboard.
    "img{display:block;image-rendering:pixelated;"
    "background:repeating-conic-gradient(#ccc 0 25%,#fff 0 50%) 0 0/16px 16px}"
    ".facts{font-size:.9em}";

// What the summary explains the colour error as.
constexpr const char* kErrorMeaning =
    "per channel (red, green, blue) absolute difference between the source pixel over the "
    "background and the pixel decoded back from the binary image file: the mean over every "
    "channel of every pixel, and the largest (0 to 255)";

void AppendBase64(const std::string& bytes, std::string& out) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    uint32_t v = (uint32_t{static_cast<uint8_t>(bytes[i])} << 16) |
                 (uint32_t{static_cast<uint8_t>(bytes[i + 1])} << 8) |
                 static_cast<uint8_t>(bytes[i + 2]);
    out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], kDigits[(v >> 6) & 63], kDigits[v & 63]};
  }
  if (size_t left = bytes.size() - i) {
    uint32_t v = uint32_t{static_cast<uint8_t>(bytes[i])} << 16;
    if (left == 2) v |= uint32_t{static_cast<uint8_t>(bytes[i + 1])} << 8;
    out +=
        {kDigits[v >> 18], kDigits[(v >> 12) & 63], left == 2 ? kDigits[(v >> 6) & 63] : '=', '='};
  }
}

// Characters HTML does not allow in a page, even as references.
bool IsHtmlForbidden(char32_t c) {
  if (c < 0x20) return c != '\t' && c != '\n' && c != '\r';
  if (c >= 0x7F && c <= 0x9F) return true;
  return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

std::string Format(const char* format, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

void AppendImage(std::string& html, const std::vector<Pixel>& pixels, const PreviewCollector& c,
                 bool alpha, uint32_t zoom, const std::string& alt, const char* caption) {
  std::string problem;
  std::string png = EncodePng(pixels, c.shownWidth(), c.shownHeight(), alpha, problem);
  html += "<figure>";
  if (png.empty()) {
    html += "<p>" + HtmlText(platform::AnsiToWide(problem)) + "</p>";
  } else {
    html += "<img src=\"data:image/png;base64,";
    AppendBase64(png, html);
    html += Format("\" width=\"%" PRIu32 "\" height=\"%" PRIu32 "\" alt=\"", c.shownWidth() * zoom,
                   c.shownHeight() * zoom);
    html += alt + " " + caption + "\" loading=\"lazy\">";
  }
  html += std::string("<figcaption>") + caption + "</figcaption></figure>\n";
}

void AppendFact(std::string& html, const char* name, const char* cls, const std::string& value) {
  html += std::string("<dt>") + name + "</dt><dd class=\"" + cls + "\">" + value + "</dd>";
}

}  // namespace

std::string HtmlText(const CString& text) {
  std::string utf8 = platform::WideToUtf8(text);
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    auto byte = static_cast<uint8_t>(utf8[i]);
    // WideToUtf8 yields well-formed UTF-8: the lead byte gives the length.
    size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? byte : byte & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += IsHtmlForbidden(c) ? std::string("\xEF\xBF\xBD") : utf8.substr(i, length);
    }
    i += length;
  }
  return out;
}

PreviewPage::PreviewPage(OutputFile& page, OutputFile& pictures, const OutputPlan& plan)
    : page_(page),
      pictures_(pictures),
      folder_(plan.folder),
      background_(plan.background),
      dither_(plan.dither),
      decoder_(DecoderFor(plan.format, plan.background)),
      collector_(*decoder_, plan.background) {}

void PreviewPage::EnterFolder(const std::string& ansiFolder) {
  pictures_.stream().Write("<h2>" + HtmlText(platform::AnsiToWide(ansiFolder)) + "</h2>\n");
}

void PreviewPage::BeginPicture(const PictureEntry& entry) {
  collector_.Begin(entry.width, entry.height,
                   PreviewStep(entry.width, entry.height, kPreviewMaxSide));
}

void PreviewPage::PictureRow(const Pixel* source, const uint8_t* encoded, const PictureEntry&) {
  collector_.AddRow(source, encoded);
}

void PreviewPage::EndPicture(const PictureEntry& entry) {
  const uint32_t longer = std::max(collector_.shownWidth(), collector_.shownHeight());
  const uint32_t zoom = std::clamp<uint32_t>(longer ? kPreviewZoomSide / longer : 1, 1, 8);
  const std::string name = HtmlText(platform::AnsiToWide(entry.ansiName));
  pending_ = "<div class=\"pair\">\n";
  AppendImage(pending_, collector_.source(), collector_, collector_.sourceHasAlpha(), zoom, name,
              "source");
  AppendImage(pending_, collector_.decoded(), collector_, false, zoom, name, "on the display");
  pending_ += "</div>\n<dl class=\"facts\">";
  AppendFact(pending_, "picture", "index", Format("PIC_%.3d", entry.index));
  AppendFact(pending_, "width", "width", Format("%" PRIu32, entry.width));
  AppendFact(pending_, "height", "height", Format("%" PRIu32, entry.height));
  AppendFact(pending_, "offset", "offset",
             Format("0x%.4" PRIx64 " (%" PRIu64 ")", entry.offset, entry.offset));
  AppendFact(pending_, "length", "length", Format("%" PRIu64 " bytes", entry.length));
  const ColourError& error = collector_.error();
  AppendFact(pending_, "mean colour error", "mean-error", Format("%.2f", error.Mean()));
  AppendFact(pending_, "largest colour error", "largest-error", Format("%d", error.largest));
  std::string shown = Format("%" PRIu32 "x", zoom);
  if (collector_.step() > 1) {
    shown += Format(", 1 pixel in %" PRIu32 " each way", collector_.step());
  }
  AppendFact(pending_, "shown", "zoom", shown);
  pending_ += "</dl>\n";
  havePending_ = true;
  ++pictureCount_;
  binarySize_ = entry.offset + entry.length;
}

void PreviewPage::FileReported(const CString& line) {
  ++files_;
  platform::OutputStream& out = pictures_.stream();
  out.Print("<section class=\"%s\" id=\"file-%d\">\n", havePending_ ? "picture" : "rejected",
            files_);
  out.Write("<p class=\"line\">" + HtmlText(line) + "</p>\n");
  if (havePending_) out.Write(pending_);
  out.Write("</section>\n");
  pending_.clear();
  havePending_ = false;
}

void PreviewPage::EndRun() {
  platform::OutputStream& out = page_.stream();
  const std::string folder = HtmlText(folder_);
  const Background& bg = background_;
  out.Write("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n");
  out.Write("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
  out.Write("<title>Rastrum preview: " + folder + "</title>\n");
  out.Write(std::string("<style>") + kStyle + "</style>\n</head>\n<body>\n");
  out.Write("<header>\n<h1>Rastrum preview: " + folder + "</h1>\n<dl class=\"summary\">");
  std::string summary;
  AppendFact(summary, "selected files", "files", Format("%d", files_));
  AppendFact(summary, "pictures", "pictures", Format("%d", pictureCount_));
  AppendFact(summary, "binary image file", "binary-size", Format("%" PRIu64 " bytes", binarySize_));
  AppendFact(summary, "format", "format", decoder_->Name());
  AppendFact(summary, "dithering", "dithering", DitherName(dither_));
  AppendFact(summary, "transparent pixels over", "background",
             Format("#%.2x%.2x%.2x", bg.r, bg.g, bg.b));
  AppendFact(summary, "colour error", "error-meaning", kErrorMeaning);
  out.Write(summary + "</dl>\n</header>\n<main>\n");
  out.AppendContentsOf(pictures_.stream());
  out.Write("</main>\n</body>\n</html>\n");
}
