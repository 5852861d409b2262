#include "engine/conversion_run.h"

#include <algorithm>

#include "platform/file_access.h"
#include "platform/text_encoding.h"

using platform::OutputStream;

ConversionRun::ConversionRun(const OutputNames& names, std::unique_ptr<PixelEncoder> encoder,
                             RunEvents& events, uint64_t binaryLimit, const OutputSet* outputs)
    : names_(names),
      events_(events),
      binaryLimit_(binaryLimit),
      encoder_(std::move(encoder)),
      table_(names.folder, names.table, OutputStream::Mode::kText),
      binary_(names.folder, names.binary, OutputStream::Mode::kBinary),
      enum_(names.folder, kEnumFileName, OutputStream::Mode::kText),
      array_(names.folder, kArrayFileName, OutputStream::Mode::kText),
      binarySink_(binary_),
      arraySink_(array_),
      tableSink_(table_, enum_),
      pixels_(static_cast<size_t>(kMaxDimension)),
      encoded_(static_cast<size_t>(kMaxDimension) * 4) {
  if (outputs) {
    outputs_ = *outputs;
  } else {
    outputs_.created = {&table_, &binary_, &enum_, &array_};
    outputs_.closed = {&enum_, &table_, &binary_, &array_};
    outputs_.kept = outputs_.created;
    outputs_.sinks = {&tableSink_, &binarySink_, &arraySink_};
  }
}

template <typename Step>
void ConversionRun::ForEachSink(Step step) {
  for (OutputSink* sink : outputs_.sinks) step(*sink);
}

void ConversionRun::Fail(const char* verb, const std::string& path, const CString& reason) {
  if (!failure_.IsEmpty()) return;
  failure_ = platform::AnsiToWide(std::string("cannot ") + verb + " " + path + ": ") + reason;
  events_.OnOutputFailure(failure_);
}

bool ConversionRun::Open() {
  for (OutputFile* file : outputs_.created) {
    if (!file->Create()) {
      int error = file->error();
      for (OutputFile* other : outputs_.created) other->Discard();
      Fail("create", file->path(), platform::AnsiToWide(platform::SystemErrorText(error)));
      return false;
    }
  }
  ForEachSink([&](OutputSink& sink) { sink.BeginRun(names_.table); });
  return true;
}

bool ConversionRun::AnyFileFailed() const {
  return std::any_of(outputs_.created.begin(), outputs_.created.end(),
                     [](const OutputFile* file) { return file->failed(); });
}

void ConversionRun::EnterFolder(const std::string& ansiFolder) {
  ForEachSink([&](OutputSink& sink) { sink.EnterFolder(ansiFolder); });
}

void ConversionRun::FileNotConverted(const CString& line) {
  ForEachSink([&](OutputSink& sink) { sink.FileReported(line); });
  events_.OnMessageLine(line);
}

void ConversionRun::FileRejected(const CString& line) {
  ++rejected_;
  FileNotConverted(line);
}

bool ConversionRun::BeginPicture(const PictureHeader& header, const std::string& ansiName) {
  entry_ = PictureEntry{};
  entry_.index = nextIndex_;
  entry_.offset = nextOffset_;
  entry_.width = header.width;
  entry_.height = header.height;
  entry_.bytesPerPixel = encoder_->BytesPerPixel();
  entry_.length = uint64_t{header.height} * header.width * entry_.bytesPerPixel;
  entry_.storedSize = header.storedSize;
  entry_.ansiName = ansiName;
  if (entry_.offset + entry_.length > binaryLimit_) {
    Fail("write", binary_.path(), L"the binary image file would exceed 4 GiB");
    return false;
  }
  ForEachSink([&](OutputSink& sink) { sink.BeginPicture(entry_); });
  return true;
}

void ConversionRun::EmitRow() {
  ForEachSink([&](OutputSink& sink) { sink.SourceRow(pixels_.data(), entry_); });
  encoder_->EncodeRow(pixels_.data(), entry_.width, encoded_.data());
  ForEachSink([&](OutputSink& sink) { sink.WriteRow(encoded_.data(), entry_); });
}

void ConversionRun::EndPicture(const CString& line, const CString& path, bool complete) {
  ForEachSink([&](OutputSink& sink) { sink.EndPicture(entry_); });
  ForEachSink([&](OutputSink& sink) { sink.FileReported(line); });
  ++nextIndex_;
  nextOffset_ += entry_.length;
  if (complete) ++converted_;
  events_.OnPictureAdded(entry_, path);
  events_.OnMessageLine(line);
}

RunSummary ConversionRun::Finish(int32_t filesSelected, bool replace) {
  if (!failed()) ForEachSink([](OutputSink& sink) { sink.EndRun(); });
  // Closed in this order, so a failure is named by the first file in it.
  for (OutputFile* file : outputs_.closed) {
    if (!file->Close()) {
      Fail("write", file->path(), platform::AnsiToWide(platform::SystemErrorText(file->error())));
    }
  }
  if (failure_.IsEmpty() && replace) {
    for (OutputFile* file : outputs_.kept) {
      if (!file->Commit()) {
        Fail("write", file->path(), platform::AnsiToWide(platform::SystemErrorText(file->error())));
        break;
      }
    }
  }
  for (OutputFile* file : outputs_.created) file->Discard();

  RunSummary summary;
  summary.filesSelected = filesSelected;
  summary.picturesConverted = converted_;
  summary.filesNotConverted = filesSelected - converted_;
  summary.filesRejected = rejected_;
  summary.outputFailure = failure_;
  summary.binaryImagePath = binary_.path();
  events_.OnRunEnd(summary);
  return summary;
}
