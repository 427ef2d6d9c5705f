// The points of one chart series in the library's own sorted container, with what that
// container does not offer: room reserved ahead for a whole run, rows appended in one go, and
// the storage given back when a run needs or holds far less than the room. An emptied
// container keeps its room, so that a run as long as the last one reuses memory that is
// already mapped (fresh pages cost more than the appending itself).
#pragma once

#include <cstddef>
#include <span>

#include <qcustomplot.h>

#include "model/ResultRow.h"

class SeriesPoints : public QCPGraphDataContainer {
 public:
  // Room for this many points in all, so that appending up to it never copies the points;
  // an empty container with more than twice that room gives it back first.
  void Reserve(std::size_t count) {
    const qsizetype wanted = mPreallocSize + static_cast<qsizetype>(count);
    if (isEmpty() && mData.capacity() > 2 * wanted + kSlack) Release();
    if (wanted > mData.capacity()) mData.reserve(wanted);
  }

  // Appends (row.t, row.*value) of every row; the caller has checked that the rows' times do
  // not descend and start at or after the last point's x.
  void Append(std::span<const ResultRow> rows, double ResultRow::*value) {
    const qsizetype oldSize = mData.size();
    mData.resize(oldSize + static_cast<qsizetype>(rows.size()));
    QCPGraphData* out = mData.data() + oldSize;
    for (const ResultRow& row : rows) *out++ = QCPGraphData(row.t, row.*value);
  }

  // Empties the container and frees its storage (clear() keeps it).
  void Release() {
    QVector<QCPGraphData>().swap(mData);
    mPreallocSize = 0;
    mPreallocIteration = 0;
  }

  // Gives back room that a run reserved but did not fill, when it is worth a copy.
  void ShrinkToFit() {
    const qsizetype spare = mData.capacity() - size();
    if (spare > kSlack && spare > size() / 8) squeeze(true, true);
  }

  std::size_t Capacity() const { return static_cast<std::size_t>(mData.capacity() - mPreallocSize); }

 private:
  // Spare room below this many points is not worth a copy.
  static constexpr qsizetype kSlack = 4096;
};
