#include "support/MovieDecode.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdlib>

namespace {

QImage toImage(const AVFrame* frame) {
  QImage image(frame->width, frame->height, QImage::Format_RGB32);
  SwsContext* scaler = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                      frame->width, frame->height, AV_PIX_FMT_RGB32, SWS_POINT | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr,
                                      nullptr);
  uint8_t* planes[] = {image.bits()};
  const int strides[] = {static_cast<int>(image.bytesPerLine())};
  sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
  sws_freeContext(scaler);
  return image;
}

void receiveAll(AVCodecContext* codec, AVFrame* frame, DecodedMovie& movie) {
  while (avcodec_receive_frame(codec, frame) >= 0) movie.frames.push_back(toImage(frame));
}

}  // namespace

DecodedMovie decodeMovie(const std::string& path) {
  DecodedMovie movie;
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return movie;
  avformat_find_stream_info(format, nullptr);
  const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (index >= 0) {
    const AVStream* stream = format->streams[index];
    movie.framesPerSecond = av_q2d(stream->r_frame_rate);
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(codec, stream->codecpar);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    if (avcodec_open2(codec, decoder, nullptr) >= 0) {
      while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index && avcodec_send_packet(codec, packet) >= 0)
          receiveAll(codec, frame, movie);
        av_packet_unref(packet);
      }
      avcodec_send_packet(codec, nullptr);
      receiveAll(codec, frame, movie);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
  }
  avformat_close_input(&format);
  return movie;
}

bool closeColours(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
