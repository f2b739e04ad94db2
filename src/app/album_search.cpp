#include "app/album_search.h"

#include "app/album_table.h"
#include "app/text_qt.h"

namespace tarvelin::app {
namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool MatchesAt(const Text& name, size_t at, const Text& keyword) {
  for (size_t i = 0; i < keyword.size(); ++i)
    if (FoldAscii(name[at + i]) != FoldAscii(keyword[i])) return false;
  return true;
}

Text NameOfRow(const AlbumTable& table, int row) {
  return ToText(table.CellText(row, AlbumTable::Name));
}

}  // namespace

bool AlbumNameMatches(const Text& name, const Text& keyword) {
  if (name.empty()) return false;
  if (keyword.size() > name.size()) return false;
  size_t at = 0;
  while (at + keyword.size() <= name.size()) {
    if (MatchesAt(name, at, keyword)) return true;
    // A lead byte from 0x81 up starts a double-byte character.
    at += static_cast<unsigned char>(name[at]) >= 0x81 && at + 1 < name.size() ? 2 : 1;
  }
  return false;
}

int FindRows(const AlbumTable& table, const Text& keyword, int start) {
  for (int row = start < 0 ? 0 : start; row < table.RowCount(); ++row)
    if (AlbumNameMatches(NameOfRow(table, row), keyword)) return row;
  return -1;
}

int FindRowsBackward(const AlbumTable& table, const Text& keyword, int current) {
  for (int row = (current > table.RowCount() ? table.RowCount() : current) - 1; row >= 0; --row)
    if (AlbumNameMatches(NameOfRow(table, row), keyword)) return row;
  return -1;
}

}  // namespace tarvelin::app
