// The movie encoder on FFmpeg's libraries. Their headers stay in this file.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavfilter/version.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <dlfcn.h>

#include <QImage>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <QImage>
#include "media/MovieEncoder.h"
#include "media/MoviePictures.h"
#include "media/SafeWrite.h"

namespace quill {

namespace {

// FFmpeg is opened when the first movie is asked for, not linked: its libraries
// and theirs are about a hundred files, and loading them would near triple the
// time every start of the program (and of the headless renderer) takes.
#define QUILL_FFMPEG_CALLS(X) \
  X(av_frame_alloc) \
  X(av_frame_free) \
  X(av_frame_unref) \
  X(av_frame_get_buffer) \
  X(av_frame_make_writable) \
  X(av_log_set_level) \
  X(av_opt_set) \
  X(av_strerror) \
  X(av_packet_alloc) \
  X(av_packet_free) \
  X(av_packet_rescale_ts) \
  X(av_strdup) \
  X(av_buffersink_get_frame) \
  X(av_buffersrc_add_frame_flags) \
  X(avfilter_get_by_name) \
  X(avfilter_graph_alloc) \
  X(avfilter_graph_config) \
  X(avfilter_graph_create_filter) \
  X(avfilter_graph_free) \
  X(avfilter_graph_parse_ptr) \
  X(avfilter_inout_alloc) \
  X(avfilter_inout_free) \
  X(avcodec_alloc_context3) \
  X(avcodec_find_encoder_by_name) \
  X(avcodec_free_context) \
  X(avcodec_open2) \
  X(avcodec_parameters_from_context) \
  X(avcodec_receive_packet) \
  X(avcodec_send_frame) \
  X(av_interleaved_write_frame) \
  X(av_write_trailer) \
  X(avformat_alloc_output_context2) \
  X(avformat_free_context) \
  X(avformat_new_stream) \
  X(avformat_write_header) \
  X(avio_closep) \
  X(avio_open) \
  X(sws_freeContext) \
  X(sws_getContext) \
  X(sws_scale)

struct Ffmpeg {
#define QUILL_FFMPEG_POINTER(name) decltype(&::name) name = nullptr;
  QUILL_FFMPEG_CALLS(QUILL_FFMPEG_POINTER)
#undef QUILL_FFMPEG_POINTER
};

// The table of FFmpeg's calls, or nullptr when the libraries this program was
// built against cannot be opened or lack a call.
const Ffmpeg* loadFfmpeg() {
  static const Ffmpeg* const loaded = []() -> const Ffmpeg* {
    const std::pair<const char*, int> libraries[] = {{"avutil", LIBAVUTIL_VERSION_MAJOR},
                                                     {"avcodec", LIBAVCODEC_VERSION_MAJOR},
                                                     {"avformat", LIBAVFORMAT_VERSION_MAJOR},
                                                     {"swscale", LIBSWSCALE_VERSION_MAJOR},
                                                     {"avfilter", LIBAVFILTER_VERSION_MAJOR}};
    std::vector<void*> handles;
    for (const auto& [name, major] : libraries) {
      const std::string soname = "lib" + std::string(name) + ".so." + std::to_string(major);
      void* handle = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (handle == nullptr) return nullptr;
      handles.push_back(handle);  // kept open for the life of the program
    }
    const auto find = [&handles](const char* symbol) -> void* {
      for (void* handle : handles)
        if (void* found = dlsym(handle, symbol)) return found;
      return nullptr;
    };
    static Ffmpeg table;
    bool complete = true;
#define QUILL_FFMPEG_RESOLVE(name)                                      \
  table.name = reinterpret_cast<decltype(table.name)>(find(#name)); \
  complete = complete && table.name != nullptr;
    QUILL_FFMPEG_CALLS(QUILL_FFMPEG_RESOLVE)
#undef QUILL_FFMPEG_RESOLVE
    return complete ? &table : nullptr;
  }();
  return loaded;
}

// Only called once loadFfmpeg() has succeeded: no encoder exists before.
const Ffmpeg& ff() { return *loadFfmpeg(); }

constexpr int kMaxSide = 16384;  // beyond what H.264's levels describe
constexpr int kMaxFramesPerSecond = 120;

std::string avError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  ff().av_strerror(code, text, sizeof text);
  return text;
}

const char* muxerName(MovieType type) {
  switch (type) {
    case MovieType::Mp4: return "mp4";
    case MovieType::Webm: return "webm";
    case MovieType::Gif: return "gif";
  }
  return "";
}

// Each GIF frame gets its own palette from its own colours: every colour exactly
// when there are at most 256, else a median cut of them. Dithering would speckle
// the flat cells of a pattern, so colours go to their nearest palette entry.
constexpr const char* kGifFilters =
    "[colours]palettegen=stats_mode=single:reserve_transparent=0[p];"
    "[in][p]paletteuse=new=1:dither=none";

// Fills `colours` with the picture's weighed colours (see weighedColours).
void weighColours(const QImage& picture, AVFrame& colours) {
  const std::vector<uint32_t> weighed =
      weighedColours(picture, static_cast<size_t>(colours.width) * static_cast<size_t>(colours.height));
  const auto rowBytes = static_cast<size_t>(colours.width) * 4;
  for (int y = 0; y < colours.height; ++y)
    std::memcpy(colours.data[0] + static_cast<ptrdiff_t>(y) * colours.linesize[0], &weighed[y * rowBytes / 4], rowBytes);
}

class FfmpegMovieEncoder final : public MovieEncoder {
 public:
  FfmpegMovieEncoder(MovieType type, const AVCodec* codec) : type_(type), codec_(codec) {}
  ~FfmpegMovieEncoder() override { discard(); }

  bool open(const std::string& path, int width, int height, int framesPerSecond) override;
  bool addFrame(const QImage& picture) override;
  bool finish() override;
  std::string error() const override { return error_; }

 private:
  bool fail(const std::string& what, int code = 0);
  bool openCodec(int framesPerSecond);
  bool openFile();
  bool allocateFrame();
  bool convert(const QImage& picture);
  bool openFilters(int framesPerSecond);
  bool filter(const AVFrame* frame);
  bool send(const AVFrame* frame);
  bool writeError();
  void release();
  void discard();

  MovieType type_;
  const AVCodec* codec_;
  std::string path_;
  std::string temporary_;
  int width_ = 0;
  int height_ = 0;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* codecContext_ = nullptr;
  AVStream* stream_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwsContext* scaler_ = nullptr;
  AVFilterGraph* filters_ = nullptr;  // GIF only: the palette of each frame
  AVFilterContext* filterIn_ = nullptr;
  AVFilterContext* coloursIn_ = nullptr;
  AVFilterContext* filterOut_ = nullptr;
  AVFrame* colours_ = nullptr;  // the colours the palette is made from
  AVFrame* filtered_ = nullptr;
  QImage padded_;
  int64_t frames_ = 0;
  std::string error_;
};

bool FfmpegMovieEncoder::fail(const std::string& what, int code) {
  error_ = code < 0 ? what + " (" + avError(code) + ")" : what;
  discard();
  return false;
}

bool FfmpegMovieEncoder::open(const std::string& path, int width, int height, int framesPerSecond) {
  discard();
  error_.clear();
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    return fail("a movie frame must be 1 to " + std::to_string(kMaxSide) + " pixels a side");
  if (framesPerSecond < 1 || framesPerSecond > kMaxFramesPerSecond)
    return fail("the frame rate must be 1 to " + std::to_string(kMaxFramesPerSecond));
  if (path.empty()) return fail("no file name");
  path_ = path;
  width_ = width;
  height_ = height;
  return openCodec(framesPerSecond) && openFile() && allocateFrame() &&
         (type_ != MovieType::Gif || openFilters(framesPerSecond));
}

bool FfmpegMovieEncoder::openCodec(int framesPerSecond) {
  codecContext_ = ff().avcodec_alloc_context3(codec_);
  if (!codecContext_) return fail("out of memory");
  AVCodecContext& c = *codecContext_;
  c.width = codedSide(type_, width_);
  c.height = codedSide(type_, height_);
  c.time_base = AVRational{1, framesPerSecond};
  c.framerate = AVRational{framesPerSecond, 1};
  c.thread_count = 0;  // as many as the machine has: the drawing runs beside them
  if (type_ == MovieType::Gif) {
    c.pix_fmt = AV_PIX_FMT_PAL8;
  } else {
    c.pix_fmt = AV_PIX_FMT_YUV420P;
    c.gop_size = 10 * framesPerSecond;
    // The conversion below uses BT.601 in the limited range; say so, or players guess.
    c.colorspace = AVCOL_SPC_SMPTE170M;
    c.color_primaries = AVCOL_PRI_SMPTE170M;
    c.color_trc = AVCOL_TRC_SMPTE170M;
    c.color_range = AVCOL_RANGE_MPEG;
  }
  if (type_ == MovieType::Mp4) {
    c.max_b_frames = 0;  // frames out as they go in: simpler files, every frame where a player seeks
    ff().av_opt_set(c.priv_data, "preset", "veryfast", 0);
    ff().av_opt_set(c.priv_data, "crf", "18", 0);
  } else if (type_ == MovieType::Webm) {
    c.bit_rate = 0;  // constant quality
    ff().av_opt_set(c.priv_data, "deadline", "realtime", 0);
    ff().av_opt_set(c.priv_data, "cpu-used", "8", 0);
    ff().av_opt_set(c.priv_data, "row-mt", "1", 0);
    ff().av_opt_set(c.priv_data, "crf", "24", 0);
  }
  const int r = ff().avformat_alloc_output_context2(&format_, nullptr, muxerName(type_), nullptr);
  if (r < 0 || !format_) return fail("can't set up the " + std::string(muxerName(type_)) + " file", r);
  if (format_->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const int opened = ff().avcodec_open2(codecContext_, codec_, nullptr);
  if (opened < 0) return fail("can't start the " + std::string(movieFormat(type_).encoder) + " encoder", opened);
  return true;
}

bool FfmpegMovieEncoder::openFile() {
  stream_ = ff().avformat_new_stream(format_, nullptr);
  if (!stream_) return fail("out of memory");
  stream_->time_base = codecContext_->time_base;
  int r = ff().avcodec_parameters_from_context(stream_->codecpar, codecContext_);
  if (r < 0) return fail("can't set up the movie stream", r);
  temporary_ = temporaryPathFor(path_);
  r = ff().avio_open(&format_->pb, temporary_.c_str(), AVIO_FLAG_WRITE);
  if (r < 0) {
    temporary_.clear();  // nothing was created
    return fail("can't create the file", r);
  }
  r = ff().avformat_write_header(format_, nullptr);
  if (r < 0) return fail("can't write the file", r);
  return !writeError();
}

bool FfmpegMovieEncoder::allocateFrame() {
  frame_ = ff().av_frame_alloc();
  packet_ = ff().av_packet_alloc();
  if (!frame_ || !packet_) return fail("out of memory");
  // A GIF frame goes in as the picture's pixels; the filters make it indexed.
  frame_->format = type_ == MovieType::Gif ? AV_PIX_FMT_RGB32 : codecContext_->pix_fmt;
  frame_->width = codecContext_->width;
  frame_->height = codecContext_->height;
  const int r = ff().av_frame_get_buffer(frame_, 0);
  if (r < 0) return fail("out of memory", r);
  if (type_ != MovieType::Gif) {
    scaler_ = ff().sws_getContext(frame_->width, frame_->height, AV_PIX_FMT_RGB32, frame_->width, frame_->height,
                             AV_PIX_FMT_YUV420P, SWS_POINT, nullptr, nullptr, nullptr);
    if (!scaler_) return fail("can't set up the colour conversion");
  }
  if (frame_->width != width_ || frame_->height != height_) {
    padded_ = QImage(frame_->width, frame_->height, QImage::Format_RGB32);
    if (padded_.isNull()) return fail("out of memory");
  }
  return true;
}

bool FfmpegMovieEncoder::convert(const QImage& picture) {
  const QImage* source = &picture;
  if (!padded_.isNull()) {
    padInto(picture, padded_);
    source = &padded_;
  }
  const int r = ff().av_frame_make_writable(frame_);
  if (r < 0) return fail("out of memory", r);
  if (type_ == MovieType::Gif) {
    const auto rowBytes = static_cast<size_t>(source->width()) * 4;
    for (int y = 0; y < source->height(); ++y)
      std::memcpy(frame_->data[0] + static_cast<ptrdiff_t>(y) * frame_->linesize[0], source->constScanLine(y), rowBytes);
    const int w = ff().av_frame_make_writable(colours_);
    if (w < 0) return fail("out of memory", w);
    weighColours(*source, *colours_);
    colours_->pts = frames_;
    return true;
  }
  const uint8_t* planes[] = {source->constBits()};
  const int strides[] = {static_cast<int>(source->bytesPerLine())};
  ff().sws_scale(scaler_, planes, strides, 0, source->height(), frame_->data, frame_->linesize);
  return true;
}

bool FfmpegMovieEncoder::addFrame(const QImage& image) {
  if (!format_) return fail(error_.empty() ? "the movie is not open" : error_);
  if (image.width() != width_ || image.height() != height_) return fail("the frame changed size");
  const QImage picture = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                             ? image
                             : image.convertToFormat(QImage::Format_RGB32);
  if (!convert(picture)) return false;
  frame_->pts = frames_++;
  return type_ == MovieType::Gif ? filter(frame_) : send(frame_);
}

// The picture and its weighted colours -> palettegen / paletteuse -> sink.
bool FfmpegMovieEncoder::openFilters(int framesPerSecond) {
  filters_ = ff().avfilter_graph_alloc();
  filtered_ = ff().av_frame_alloc();
  colours_ = ff().av_frame_alloc();
  if (!filters_ || !filtered_ || !colours_) return fail("out of memory");
  colours_->format = AV_PIX_FMT_RGB32;
  colours_->width = width_;
  colours_->height = height_;
  int r = ff().av_frame_get_buffer(colours_, 0);
  if (r < 0) return fail("out of memory", r);
  char source[160];
  std::snprintf(source, sizeof source, "video_size=%dx%d:pix_fmt=%d:time_base=1/%d:pixel_aspect=1/1", width_,
                height_, static_cast<int>(AV_PIX_FMT_RGB32), framesPerSecond);
  const AVFilter* buffer = ff().avfilter_get_by_name("buffer");
  r = ff().avfilter_graph_create_filter(&filterIn_, buffer, "in", source, nullptr, filters_);
  if (r >= 0) r = ff().avfilter_graph_create_filter(&coloursIn_, buffer, "colours", source, nullptr, filters_);
  if (r >= 0)
    r = ff().avfilter_graph_create_filter(&filterOut_, ff().avfilter_get_by_name("buffersink"), "out", nullptr,
                                          nullptr, filters_);
  if (r < 0) return fail("can't set up the GIF palettes", r);
  AVFilterInOut* colours = ff().avfilter_inout_alloc();
  AVFilterInOut* picture = ff().avfilter_inout_alloc();
  AVFilterInOut* out = ff().avfilter_inout_alloc();
  if (colours && picture && out) {
    *colours = AVFilterInOut{ff().av_strdup("colours"), coloursIn_, 0, nullptr};
    *picture = AVFilterInOut{ff().av_strdup("in"), filterIn_, 0, colours};
    *out = AVFilterInOut{ff().av_strdup("out"), filterOut_, 0, nullptr};
    colours = nullptr;  // now part of the list that starts at `picture`
    r = ff().avfilter_graph_parse_ptr(filters_, kGifFilters, &out, &picture, nullptr);
    if (r >= 0) r = ff().avfilter_graph_config(filters_, nullptr);
  } else {
    r = AVERROR(ENOMEM);
  }
  ff().avfilter_inout_free(&colours);
  ff().avfilter_inout_free(&picture);
  ff().avfilter_inout_free(&out);
  if (r < 0) return fail("can't set up the GIF palettes", r);
  return true;
}

// Gives a picture (nothing: the end) to the palette filters and encodes the
// indexed frames they have ready.
bool FfmpegMovieEncoder::filter(const AVFrame* frame) {
  int r = ff().av_buffersrc_add_frame_flags(coloursIn_, frame ? colours_ : nullptr, AV_BUFFERSRC_FLAG_KEEP_REF);
  if (r >= 0) r = ff().av_buffersrc_add_frame_flags(filterIn_, const_cast<AVFrame*>(frame), AV_BUFFERSRC_FLAG_KEEP_REF);
  if (r < 0) return fail("can't choose the frame's colours", r);
  while ((r = ff().av_buffersink_get_frame(filterOut_, filtered_)) >= 0) {
    const bool sent = send(filtered_);
    ff().av_frame_unref(filtered_);
    if (!sent) return false;
  }
  if (r != AVERROR(EAGAIN) && r != AVERROR_EOF) return fail("can't choose the frame's colours", r);
  return true;
}

// Encodes a frame (nothing: the end) and writes the packets it gives.
bool FfmpegMovieEncoder::send(const AVFrame* frame) {
  int r = ff().avcodec_send_frame(codecContext_, frame);
  if (r < 0) return fail("can't encode the frame", r);
  while ((r = ff().avcodec_receive_packet(codecContext_, packet_)) >= 0) {
    // Some encoders leave the duration out; MP4 then gives the last frame none
    // and players drop it.
    if (packet_->duration <= 0) packet_->duration = 1;
    ff().av_packet_rescale_ts(packet_, codecContext_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    r = ff().av_interleaved_write_frame(format_, packet_);
    if (r < 0) return fail("can't write the file", r);
  }
  if (r != AVERROR(EAGAIN) && r != AVERROR_EOF) return fail("can't encode the frame", r);
  return !writeError();
}

// A full disk shows up as the output's sticky error, not always as a failed call.
bool FfmpegMovieEncoder::writeError() {
  if (format_->pb && format_->pb->error < 0) {
    fail("can't write the file", format_->pb->error);
    return true;
  }
  return false;
}

bool FfmpegMovieEncoder::finish() {
  if (!format_) return fail(error_.empty() ? "the movie is not open" : error_);
  if (frames_ == 0) return fail("the movie has no frames");
  if (type_ == MovieType::Gif && !filter(nullptr)) return false;
  if (!send(nullptr)) return false;
  int r = ff().av_write_trailer(format_);
  if (r < 0) return fail("can't write the file", r);
  if (writeError()) return false;
  r = ff().avio_closep(&format_->pb);
  if (r < 0) return fail("can't write the file", r);
  std::error_code ec;
  std::filesystem::rename(temporary_, path_, ec);
  if (ec) return fail("can't put the movie under its name: " + ec.message());
  temporary_.clear();
  release();
  return true;
}

void FfmpegMovieEncoder::release() {
  ff().sws_freeContext(scaler_);
  scaler_ = nullptr;
  ff().avfilter_graph_free(&filters_);
  filterIn_ = coloursIn_ = filterOut_ = nullptr;
  ff().av_frame_free(&filtered_);
  ff().av_frame_free(&colours_);
  ff().av_packet_free(&packet_);
  ff().av_frame_free(&frame_);
  ff().avcodec_free_context(&codecContext_);
  if (format_) {
    if (format_->pb) ff().avio_closep(&format_->pb);
    ff().avformat_free_context(format_);
    format_ = nullptr;
  }
  stream_ = nullptr;
  padded_ = QImage();
  frames_ = 0;
}

void FfmpegMovieEncoder::discard() {
  release();
  if (!temporary_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    temporary_.clear();
  }
}

}  // namespace

std::unique_ptr<MovieEncoder> makeFfmpegMovieEncoder(MovieType type) {
  if (loadFfmpeg() == nullptr) return nullptr;
  ff().av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics are no business of the user's
  const AVCodec* codec = ff().avcodec_find_encoder_by_name(movieFormat(type).encoder);
  if (!codec) return nullptr;
  return std::make_unique<FfmpegMovieEncoder>(type, codec);
}

}  // namespace quill
