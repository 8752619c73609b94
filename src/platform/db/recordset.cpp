#include "platform/db/recordset.h"

#include <cctype>

#include "platform/db/db_failure.h"

namespace tavrello::db {

namespace {

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

const std::string& Field::Name() const { return owner_->column(index_).name(); }

DataType Field::Type() const { return owner_->column(index_).type(); }

const Column& Field::column() const { return owner_->column(index_); }

db::Value Field::Value() const {
  const Column& c = owner_->column(index_);
  if (owner_->Eof() || owner_->Bof()) throw noCurrentRecord();
  const std::size_t row = owner_->position();
  db::Value v;
  v.type = c.type();
  v.isNull = c.isNull(row);
  if (v.isNull) return v;
  switch (c.type()) {
    case DataType::Integer:
    case DataType::Boolean: v.integer = c.int64(row); break;
    case DataType::Double:
    case DataType::Date:
    case DataType::Time:
    case DataType::DateTime: v.real = c.real(row); break;
    case DataType::Decimal:
      v.real = c.real(row);
      v.text = c.text(row);
      break;
    case DataType::Text:
    case DataType::Binary: v.text = c.text(row); break;
    case DataType::Null: break;
  }
  v.display = c.display(row);
  return v;
}

long Fields::Count() const {
  owner_->columnCount();  // throws when closed
  return static_cast<long>(fields_.size());
}

const Field& Fields::Item(long index) const {
  Count();
  if (index < 0 || static_cast<std::size_t>(index) >= fields_.size()) throw itemNotFound();
  return fields_[static_cast<std::size_t>(index)];
}

const Field& Fields::Item(std::string_view name) const {
  Count();
  for (const Field& f : fields_) {
    if (sameName(f.Name(), name)) return f;
  }
  throw itemNotFound();
}

Recordset::Recordset() : fields_(*this) {}

Recordset::Recordset(std::vector<Column> columns)
    : open_(true), columns_(std::move(columns)), rows_(columns_.empty() ? 0 : columns_.front().size()),
      fields_(*this) {
  fields_.fields_.reserve(columns_.size());
  for (std::size_t i = 0; i < columns_.size(); ++i) fields_.fields_.emplace_back(*this, i);
  bof_ = rows_ == 0;
}

void Recordset::requireOpen() const {
  if (!open_) throw objectClosed();
}

void Recordset::requireRows() const {
  requireOpen();
  if (released_) throw noCurrentRecord();
}

void Recordset::ReleaseRowsWhenCopied(bool release) {
  requireOpen();
  releaseWhenCopied_ = release;
}

bool Recordset::ReleaseRowsWhenCopied() const {
  requireOpen();
  return releaseWhenCopied_;
}

void Recordset::releaseRows(std::size_t index, std::size_t before) {
  requireOpen();
  if (!releaseWhenCopied_) return;
  if (index >= columns_.size()) throw itemNotFound();
  columns_[index].releaseRowsBefore(before);
  released_ = true;
  position_ = rows_;
  bof_ = false;
}

void Recordset::Close() {
  requireOpen();
  open_ = false;
  releaseWhenCopied_ = released_ = false;
  columns_.clear();
  fields_.fields_.clear();
  rows_ = position_ = 0;
  bof_ = false;
}

std::int64_t Recordset::RecordCount() const {
  requireOpen();
  return static_cast<std::int64_t>(rows_);
}

bool Recordset::Eof() const {
  requireOpen();
  return position_ >= rows_;
}

bool Recordset::Bof() const {
  requireOpen();
  return bof_;
}

void Recordset::MoveFirst() {
  requireRows();
  position_ = 0;
  bof_ = rows_ == 0;
}

void Recordset::MoveLast() {
  requireRows();
  if (rows_ == 0) throw noCurrentRecord();
  position_ = rows_ - 1;
  bof_ = false;
}

void Recordset::MoveNext() {
  requireRows();
  if (position_ >= rows_) throw noCurrentRecord();
  if (bof_) bof_ = false;
  else ++position_;
}

void Recordset::MovePrevious() {
  requireRows();
  if (bof_) throw noCurrentRecord();
  if (position_ == 0) bof_ = true;
  else --position_;
}

std::int64_t Recordset::AbsolutePosition() const {
  requireOpen();
  if (bof_) return -2;
  if (position_ >= rows_) return -3;
  return static_cast<std::int64_t>(position_) + 1;
}

void Recordset::AbsolutePosition(std::int64_t position) {
  requireRows();
  if (position < 1 || static_cast<std::uint64_t>(position) > rows_) throw badArguments();
  position_ = static_cast<std::size_t>(position - 1);
  bof_ = false;
}

Fields& Recordset::fields() {
  requireOpen();
  return fields_;
}

const Fields& Recordset::fields() const {
  requireOpen();
  return fields_;
}

std::size_t Recordset::columnCount() const {
  requireOpen();
  return columns_.size();
}

const Column& Recordset::column(std::size_t index) const {
  requireOpen();
  if (index >= columns_.size()) throw itemNotFound();
  return columns_[index];
}

std::size_t Recordset::rowCount() const {
  requireOpen();
  return rows_;
}

std::size_t Recordset::position() const {
  requireOpen();
  return position_;
}

}  // namespace tavrello::db
