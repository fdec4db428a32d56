// The portable profile engine's document: the parsed view of sections and entries, and reads and
// edits of files with a byte-order mark through a GBK view of their lines.
#include "runtime/profile_document.h"

#include <algorithm>

#include "runtime/code_page.h"
#include "runtime/unicode_text.h"

namespace vexlo {


namespace {

using unicode::appendUtf8;
using unicode::ByteOrder;
using unicode::decodeUtf8;
using unicode::utf16BytesToUtf8;
using unicode::utf8ToUtf16Bytes;

// The length of the character that starts at `i`: 2 for a lead byte with a byte after it, else 1.
std::size_t charLength(std::string_view text, std::size_t i) {
  return gbk::isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Returns the GBK form of UTF-8 text; a character GBK cannot hold becomes "?".
std::string utf8ToGbkLossy(std::string_view utf8) {
  const std::u32string cps = decodeUtf8(utf8);
  std::string clean;
  for (char32_t cp : cps) appendUtf8(clean, cp);
  if (auto whole = utf8ToGbk(clean)) return *whole;
  std::string out;
  for (char32_t cp : cps) {
    std::string one;
    appendUtf8(one, cp);
    auto converted = utf8ToGbk(one);
    out += converted ? *converted : std::string("?");
  }
  return out;
}

// Returns the UTF-8 form of GBK text; a character without a Unicode form becomes "?".
std::string gbkToUtf8Lossy(std::string_view text) {
  if (auto whole = gbkToUtf8(text)) return *whole;
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charLength(text, i);
    auto converted = gbkToUtf8(text.substr(i, n));
    out += converted ? *converted : std::string("?");
    i += n;
  }
  return out;
}

}  // namespace

ProfileEncoding profileEncodingOf(std::string_view b) {
  if (b.size() >= 3 && b.compare(0, 3, "\xEF\xBB\xBF") == 0) return ProfileEncoding::Utf8;
  if (b.size() >= 2 && b.compare(0, 2, "\xFF\xFE") == 0) return ProfileEncoding::Utf16Le;
  if (b.size() >= 2 && b.compare(0, 2, "\xFE\xFF") == 0) return ProfileEncoding::Utf16Be;
  return ProfileEncoding::Gbk;
}

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
  ProfileDocument doc;
  doc.bytes_.assign(bytes);
  doc.encoding_ = profileEncodingOf(bytes);
  if (doc.encoding_ != ProfileEncoding::Gbk) {
    const std::string& b = doc.bytes_;
    const bool utf16 = doc.encoding_ != ProfileEncoding::Utf8;
    const bool bigEndian = doc.encoding_ == ProfileEncoding::Utf16Be;
    const ByteOrder order = bigEndian ? ByteOrder::BigEndian : ByteOrder::LittleEndian;
    const std::size_t unit = utf16 ? 2 : 1;
    doc.bodyBegin_ = utf16 ? 2 : 3;
    auto unitAt = [&](std::size_t pos) -> unsigned {
      if (unit == 1) return static_cast<unsigned char>(b[pos]);
      const auto x = static_cast<unsigned char>(b[pos]);
      const auto y = static_cast<unsigned char>(b[pos + 1]);
      return bigEndian ? (x << 8 | y) : (y << 8 | x);
    };
    // A trailing odd byte of a UTF-16 file belongs to no character.
    const std::size_t limit = b.size() - (b.size() - doc.bodyBegin_) % unit;
    std::size_t pos = doc.bodyBegin_;
    while (pos < limit) {
      MarkedLine line;
      line.viewBegin = doc.view_.size();
      line.begin = pos;
      std::size_t contentEnd = std::string::npos;
      while (pos < limit) {
        const unsigned u = unitAt(pos);
        if (u == '\r' || u == '\n') break;
        if (u == 0 && contentEnd == std::string::npos) contentEnd = pos;
        pos += unit;
      }
      line.end = pos;
      const std::string_view raw(b.data() + line.begin,
                                 (contentEnd == std::string::npos ? pos : contentEnd) - line.begin);
      doc.view_ += utf16 ? utf8ToGbkLossy(utf16BytesToUtf8(raw, order)) : utf8ToGbkLossy(raw);
      if (contentEnd != std::string::npos) doc.view_ += '\0';
      if (pos < limit) {
        doc.view_ += '\n';
        const bool cr = unitAt(pos) == '\r';
        pos += unit;
        if (cr && pos < limit && unitAt(pos) == '\n') pos += unit;
      }
      doc.markedLines_.push_back(line);
    }
  }

  const std::string_view view = doc.gbkView();
  doc.sections_.push_back(ProfileSection{});
  for (std::size_t pos = 0; pos < view.size();) {
    const ProfileLineSpan span = profileLineAt(view, pos);
    const ProfileLine line = classifyProfileLine(view.substr(pos, span.contentEnd - pos));
    if (line.kind == ProfileLine::Kind::Header) {
      ProfileSection section;
      section.name.assign(line.name);
      section.hasHeader = true;
      doc.sections_.push_back(std::move(section));
    } else if (line.kind == ProfileLine::Kind::Entry) {
      doc.sections_.back().entries.push_back(
          ProfileEntry{std::string(line.name), std::string(line.value), line.hasValue});
    }
    pos = span.next;
  }
  return doc;
}

std::string_view ProfileDocument::gbkView() const {
  return encoding_ == ProfileEncoding::Gbk ? std::string_view(bytes_) : std::string_view(view_);
}

std::optional<std::string> ProfileDocument::find(std::string_view section,
                                                 std::string_view key) const {
  const ProfileSpot spot = locateProfileEntry(gbkView(), section, key);
  if (spot.found != ProfileSpot::Found::Entry || !spot.entry.hasValue) return std::nullopt;
  return profileReadResult(spot, std::nullopt, kReadBufferSize);
}

std::string ProfileDocument::read(std::string_view section, std::string_view key,
                                  std::optional<std::string_view> defaultText,
                                  std::size_t bufferSize) const {
  return profileReadResult(locateProfileEntry(gbkView(), section, key), defaultText, bufferSize);
}

std::string ProfileDocument::encode(std::string_view text) const {
  switch (encoding_) {
    case ProfileEncoding::Gbk:
      return std::string(text);
    case ProfileEncoding::Utf8:
      return gbkToUtf8Lossy(text);
    case ProfileEncoding::Utf16Le:
      return utf8ToUtf16Bytes(gbkToUtf8Lossy(text), ByteOrder::LittleEndian);
    case ProfileEncoding::Utf16Be:
      return utf8ToUtf16Bytes(gbkToUtf8Lossy(text), ByteOrder::BigEndian);
  }
  return std::string(text);
}

// Maps a line start (or the end) of the GBK view of a marked file to its place in the file.
std::size_t ProfileDocument::filePosition(std::size_t viewPosition) const {
  if (viewPosition == 0) return bodyBegin_;
  const auto it = std::lower_bound(
      markedLines_.begin(), markedLines_.end(), viewPosition,
      [](const MarkedLine& line, std::size_t p) { return line.viewBegin < p; });
  return it != markedLines_.end() && it->viewBegin == viewPosition ? it->begin : bytes_.size();
}

std::optional<ProfileEdit> ProfileDocument::edit(std::string_view section, std::string_view key,
                                                 std::string_view value) const {
  auto edit = profileEditFor(gbkView(), section, key, value);
  if (!edit || encoding_ == ProfileEncoding::Gbk) return edit;
  if (edit->from == edit->to) {
    edit->from = edit->to = filePosition(edit->from);
  } else {
    // A changed entry line: its whole content up to its line end.
    const auto it = std::lower_bound(
        markedLines_.begin(), markedLines_.end(), edit->from,
        [](const MarkedLine& line, std::size_t p) { return line.viewBegin < p; });
    edit->from = it->begin;
    edit->to = it->end;
  }
  edit->text = encode(edit->text);
  return edit;
}

std::optional<std::string> ProfileDocument::withValue(std::string_view section,
                                                      std::string_view key,
                                                      std::string_view value) const {
  const auto change = edit(section, key, value);
  if (!change) return std::nullopt;
  std::string out;
  out.reserve(bytes_.size() - (change->to - change->from) + change->text.size());
  out.append(bytes_, 0, change->from);
  out += change->text;
  out.append(bytes_, change->to, std::string::npos);
  return out;
}

}  // namespace vexlo
