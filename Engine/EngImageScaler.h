// The two-pass image rescaler: rows horizontally into an intermediate image, then columns
// vertically into the target (optionally upside down), with 16-bit fixed-point weights from
// a triangle filter that widens when shrinking. Used to bring pictures to texture sizes.
#pragma once

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"

class CBilinearFilter {
 public:
  double GetWidth() const { return 1.0; }
  double Filter(double x) const {
    x = std::fabs(x);
    return x < 1.0 ? 1.0 - x : 0.0;
  }
};

// Receives a percentage before each row and column; returning 0 stops the scaling.
typedef char (*ProgressAndAbortCallBack)(char percent);

template <class FilterClass>
class C2PassScale {
 public:
  struct ContributionType {
    unsigned int *Weights;  // window-size entries, 65535 for 1.0
    int Left, Right;        // source range, both inclusive
  };
  struct LineContribType {
    ContributionType *ContribRow;
    unsigned int WindowSize, LineLength;
  };

  explicit C2PassScale(ProgressAndAbortCallBack callback = nullptr)
      : m_dwBytesPerPixel(0), m_Callback(callback), m_bCanceled(0) {}
  virtual ~C2PassScale() {}

  // Scales source (bytes_per_pixel 1..4, row stride in bytes) into target, which the caller
  // owns; with flip set target row y receives scaled row height - 1 - y. Returns target, or
  // null when refused, out of memory or stopped by the progress callback.
  unsigned char *Scale(unsigned char *source, unsigned int bytes_per_pixel, unsigned int source_width,
                       unsigned int source_stride, unsigned int source_height, unsigned char *target,
                       unsigned int target_width, unsigned int target_stride, unsigned int target_height,
                       char flip) {
    if (bytes_per_pixel >= 5) {
      DebugError("Scale", "size of pixel is too big");
      return nullptr;
    }
    m_dwBytesPerPixel = bytes_per_pixel;
    m_bCanceled = 0;
    if (!source || !target || bytes_per_pixel == 0 || source_width == 0 || source_height == 0 ||
        target_width == 0 || target_height == 0 || source_stride < source_width * bytes_per_pixel ||
        target_stride < target_width * bytes_per_pixel) {
      DebugError("Scale", "Invalid parameters");
      return nullptr;
    }
    unsigned char *temp = static_cast<unsigned char *>(malloc(size_t(target_stride) * source_height));
    if (!temp) {
      DebugStandardError("Scale", DEBUG_ERR_OMEM);
      return nullptr;
    }
    HorizScale(source, source_width, source_stride, source_height, temp, target_width, target_stride);
    if (m_bCanceled) {
      free(temp);
      return nullptr;
    }
    VertScale(temp, target_width, target_stride, source_height, target, target_stride, target_height, flip);
    free(temp);
    return m_bCanceled ? nullptr : target;
  }

  LineContribType *AllocContributions(unsigned int line_size, unsigned int window_size) {
    LineContribType *table = new LineContribType;
    table->WindowSize = window_size;
    table->LineLength = line_size;
    table->ContribRow = new ContributionType[line_size];
    for (unsigned int i = 0; i < line_size; i++) table->ContribRow[i].Weights = new unsigned int[window_size];
    return table;
  }

  void FreeContributions(LineContribType *table) {
    for (unsigned int i = 0; i < table->LineLength; i++) delete[] table->ContribRow[i].Weights;
    delete[] table->ContribRow;
    delete table;
  }

  LineContribType *CalcContributions(unsigned int line_size, unsigned int source_size, double scale) {
    FilterClass filter;
    double width = filter.GetWidth();
    double filter_scale = 1.0;
    if (scale < 1.0) {
      width = width / scale;
      filter_scale = scale;
    }
    const int window_size = 2 * int(std::ceil(width)) + 2;
    LineContribType *table = AllocContributions(line_size, unsigned(window_size));
    double *weights = new double[unsigned(window_size)];
    for (unsigned int i = 0; i < line_size; i++) {
      // No half-pixel offset: target pixel 0 sits on source pixel 0.
      const double centre = double(i) / scale;
      int left = int(std::floor(centre - width));
      if (left < 0) left = 0;
      int right = int(std::ceil(centre + width));
      if (right > int(source_size) - 1) right = int(source_size) - 1;
      if (right - left >= window_size) {
        if (left < int(source_size))
          left++;
        else
          right--;
      }
      ContributionType &record = table->ContribRow[i];
      record.Left = left;
      record.Right = left - 1;
      double total = 0.0;
      int stored = 0;
      for (int j = left; j <= right && stored < window_size; j++) {
        double d = std::fabs(centre - double(j)) * filter_scale;
        double weight = d < 1.0 ? filter.Filter(d) * filter_scale : 0.0;
        if (weight > 0.0) {
          weights[stored++] = weight;
          total += weight;
          record.Right = j;
        } else if (stored == 0) {
          record.Left = j + 1;
        } else {
          break;
        }
      }
      if (stored == 0) {
        DebugError("CalcContributions", "Internal Error (A)");
        record.Left = record.Right = left;
        weights[0] = 0.0;
        stored = 1;
      }
      if (total < 0.0) DebugError("CalcContributions", "Internal Error (B)");
      for (int k = 0; k < stored; k++) {
        double weight = total > 0.0 ? weights[k] / total : weights[k];
        record.Weights[k] = unsigned(weight * 65535.0);
      }
    }
    delete[] weights;
    return table;
  }

  void ScaleRow(const unsigned char *source, unsigned int source_stride, unsigned char *target,
                unsigned int target_width, unsigned int target_stride, unsigned int y,
                const LineContribType *contrib) {
    const unsigned char *source_row = source + size_t(source_stride) * y;
    unsigned char *target_row = target + size_t(target_stride) * y;
    for (unsigned int x = 0; x < target_width; x++) {
      const ContributionType &record = contrib->ContribRow[x];
      for (unsigned int c = 0; c < m_dwBytesPerPixel; c++) {
        unsigned int sum = 0;
        for (int i = record.Left; i <= record.Right; i++)
          sum += source_row[size_t(i) * m_dwBytesPerPixel + c] * record.Weights[i - record.Left];
        target_row[size_t(x) * m_dwBytesPerPixel + c] = ToByte(sum);
      }
    }
  }

  void HorizScale(const unsigned char *source, unsigned int source_width, unsigned int source_stride,
                  unsigned int source_height, unsigned char *target, unsigned int target_width,
                  unsigned int target_stride) {
    if (source_width == target_width) {
      if (source_stride == target_stride) {
        memcpy(target, source, size_t(source_stride) * (source_height - 1) + size_t(source_width) * m_dwBytesPerPixel);
      } else {
        for (unsigned int y = 0; y < source_height; y++)
          memcpy(target + size_t(target_stride) * y, source + size_t(source_stride) * y,
                 size_t(source_width) * m_dwBytesPerPixel);
      }
      return;
    }
    LineContribType *contrib =
        CalcContributions(target_width, source_width, double(target_width) / double(source_width));
    for (unsigned int y = 0; y < source_height; y++) {
      if (m_Callback && !m_Callback(char(size_t(y) * 50 / source_height))) {
        m_bCanceled = 1;
        break;
      }
      ScaleRow(source, source_stride, target, target_width, target_stride, y, contrib);
    }
    FreeContributions(contrib);
  }

  void ScaleCol(const unsigned char *source, unsigned int stride, unsigned char *target, unsigned int target_stride,
                unsigned int target_height, unsigned int x, const LineContribType *contrib, char flip) {
    for (unsigned int y = 0; y < target_height; y++) {
      const ContributionType &record = contrib->ContribRow[y];
      const unsigned int out_row = flip ? target_height - 1 - y : y;
      for (unsigned int c = 0; c < m_dwBytesPerPixel; c++) {
        unsigned int sum = 0;
        for (int i = record.Left; i <= record.Right; i++)
          sum += source[size_t(i) * stride + size_t(x) * m_dwBytesPerPixel + c] * record.Weights[i - record.Left];
        target[size_t(out_row) * target_stride + size_t(x) * m_dwBytesPerPixel + c] = ToByte(sum);
      }
    }
  }

  void VertScale(const unsigned char *source, unsigned int width, unsigned int stride, unsigned int source_height,
                 unsigned char *target, unsigned int target_stride, unsigned int target_height, char flip) {
    if (source_height == target_height && !flip) {
      memcpy(target, source, size_t(width) * m_dwBytesPerPixel + size_t(target_height - 1) * target_stride);
      return;
    }
    LineContribType *contrib =
        CalcContributions(target_height, source_height, double(target_height) / double(source_height));
    for (unsigned int x = 0; x < width; x++) {
      if (m_Callback && !m_Callback(char(50 + size_t(x) * 50 / width))) {
        m_bCanceled = 1;
        break;
      }
      ScaleCol(source, stride, target, target_stride, target_height, x, contrib, flip);
    }
    FreeContributions(contrib);
  }

 protected:
  static unsigned char ToByte(unsigned int sum) { return sum > 0xffffffu ? 255 : (unsigned char)(sum >> 16); }

  unsigned int m_dwBytesPerPixel;
  ProgressAndAbortCallBack m_Callback;
  unsigned char m_bCanceled;
};
