#include "engine/conversion_run.h"

#include "platform/file_access.h"
#include "platform/text_encoding.h"

using platform::OutputStream;

ConversionRun::ConversionRun(const OutputPlan& plan, RunEvents& events, uint64_t binaryLimit,
                             uint64_t planeBufferLimit)
    : outputs_(plan),
      events_(events),
      binaryLimit_(binaryLimit),
      planeBufferLimit_(planeBufferLimit),
      alignment_(plan.alignment),
      encoder_(EncoderFor(plan.format, plan.dither, plan.background)),
      pixels_(static_cast<size_t>(kMaxDimension)),
      encoded_(static_cast<size_t>(kMaxDimension) * 4) {}

template <typename Step>
void ConversionRun::ForEachSink(Step step) {
  for (OutputSink* sink : outputs_.sinks()) step(*sink);
}

void ConversionRun::Fail(const char* verb, const std::string& path, const CString& reason) {
  if (!failure_.IsEmpty()) return;
  failure_ = platform::AnsiToWide(std::string("cannot ") + verb + " " + path + ": ") + reason;
  events_.OnOutputFailure(failure_);
}

bool ConversionRun::Open() {
  for (OutputFile* file : outputs_.files()) {
    if (!file->Create()) {
      int error = file->error();
      for (OutputFile* other : outputs_.files()) other->Discard();
      Fail("create", file->path(), platform::AnsiToWide(platform::SystemErrorText(error)));
      return false;
    }
  }
  ForEachSink([&](OutputSink& sink) { sink.BeginRun(outputs_.runName()); });
  return true;
}

bool ConversionRun::AnyFileFailed() const {
  for (const OutputFile* file : outputs_.files()) {
    if (file->failed()) return true;
  }
  return false;
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

bool ConversionRun::BeginPicture(const PictureHeader& header, const std::string& ansiName,
                                 const CString& relativePath) {
  entry_ = PictureEntry{};
  entry_.index = nextIndex_;
  entry_.offset = (nextOffset_ + alignment_ - 1) / alignment_ * alignment_;
  entry_.padding = entry_.offset - nextOffset_;
  entry_.width = header.width;
  entry_.height = header.height;
  entry_.bytesPerPixel = encoder_->BytesPerPixel();
  entry_.length = uint64_t{header.height} * header.width * entry_.bytesPerPixel;
  entry_.storedSize = header.storedSize;
  entry_.ansiName = ansiName;
  entry_.relativePath = relativePath;
  entry_.sourceBits = header.sourceBits;
  entry_.sourceFormat = header.sourceFormat;
  if (entry_.offset + entry_.length > binaryLimit_) {
    Fail("write", outputs_.binaryPath(), L"the binary image file would exceed 4 GiB");
    return false;
  }
  const uint64_t laterPlaneBytes =
      entry_.length / entry_.bytesPerPixel * (entry_.bytesPerPixel - encoder_->PlaneBytes(0));
  passes_ = laterPlaneBytes > planeBufferLimit_ ? encoder_->PlaneCount() : 1;
  pass_ = 0;
  row_ = 0;
  laterPlanes_.clear();
  encoder_->BeginPicture(entry_.width);
  ForEachSink([&](OutputSink& sink) { sink.BeginPicture(entry_); });
  return true;
}

// Where plane `plane` starts in an encoded row.
size_t ConversionRun::PlaneStart(int plane) const {
  size_t start = 0;
  for (int p = 0; p < plane; ++p) start += size_t{entry_.width} * encoder_->PlaneBytes(p);
  return start;
}

void ConversionRun::WritePlaneRow(const uint8_t* encoded, int plane) {
  const int bytes = encoder_->PlaneBytes(plane);
  ForEachSink([&](OutputSink& sink) { sink.WriteRow(encoded, bytes, entry_); });
}

void ConversionRun::EmitRow() {
  if (row_ == entry_.height) {
    // A pass for the next plane: the encoder starts the picture again, so a
    // dithered first plane it encodes along comes out the same.
    ++pass_;
    row_ = 0;
    encoder_->BeginPicture(entry_.width);
  }
  ++row_;
  encoder_->EncodeRow(pixels_.data(), entry_.width, encoded_.data());
  if (pass_ == 0) {
    ForEachSink(
        [&](OutputSink& sink) { sink.PictureRow(pixels_.data(), encoded_.data(), entry_); });
  }
  WritePlaneRow(encoded_.data() + PlaneStart(pass_), pass_);
  if (passes_ == 1 && encoder_->PlaneCount() > 1) {
    const size_t start = PlaneStart(1);
    laterPlanes_.insert(laterPlanes_.end(), encoded_.begin() + start,
                        encoded_.begin() + PlaneStart(encoder_->PlaneCount()));
  }
}

void ConversionRun::WriteBufferedPlanes() {
  if (laterPlanes_.empty()) return;
  const size_t rowBytes = laterPlanes_.size() / entry_.height;
  const size_t first = PlaneStart(1);
  for (int plane = 1; plane < encoder_->PlaneCount(); ++plane) {
    for (uint32_t k = 0; k < entry_.height; ++k) {
      WritePlaneRow(laterPlanes_.data() + k * rowBytes + PlaneStart(plane) - first, plane);
    }
  }
  laterPlanes_.clear();
}

void ConversionRun::EndPicture(const CString& line, const CString& path, bool complete) {
  WriteBufferedPlanes();
  ForEachSink([&](OutputSink& sink) { sink.EndPicture(entry_); });
  ForEachSink([&](OutputSink& sink) { sink.FileReported(line); });
  ++nextIndex_;
  nextOffset_ = entry_.offset + entry_.length;
  if (complete) ++converted_;
  events_.OnPictureAdded(entry_, path);
  events_.OnMessageLine(line);
}

RunSummary ConversionRun::Finish(int32_t filesSelected, bool replace) {
  if (!failed()) ForEachSink([](OutputSink& sink) { sink.EndRun(); });
  for (OutputFile* file : outputs_.closeOrder()) {
    if (!file->Close()) {
      Fail("write", file->path(), platform::AnsiToWide(platform::SystemErrorText(file->error())));
    }
  }
  if (failure_.IsEmpty() && replace) {
    for (OutputFile* file : outputs_.keptFiles()) {
      if (!file->Commit()) {
        Fail("write", file->path(), platform::AnsiToWide(platform::SystemErrorText(file->error())));
        break;
      }
    }
  }
  for (OutputFile* file : outputs_.files()) file->Discard();

  RunSummary summary;
  summary.filesSelected = filesSelected;
  summary.picturesConverted = converted_;
  summary.filesNotConverted = filesSelected - converted_;
  summary.filesRejected = rejected_;
  summary.outputFailure = failure_;
  summary.binaryImagePath = outputs_.binaryPath();
  events_.OnRunEnd(summary);
  return summary;
}
