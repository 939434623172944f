#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include <string>

// The whole of a file, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline QByteArray fileBytes(const std::string& path) { return fileBytes(QString::fromStdString(path)); }

// Little-endian integers at a byte offset, as the file formats store them.
inline int16_t le16(const QByteArray& b, int at) { return qFromLittleEndian<int16_t>(b.constData() + at); }
inline int32_t le32(const QByteArray& b, int at) { return qFromLittleEndian<int32_t>(b.constData() + at); }
