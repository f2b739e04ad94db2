#pragma once
// Searching the album-name column of the album table by a keyword, on code page 936 bytes.

#include "port/types.h"

namespace tarvelin::app {

class AlbumTable;

// True when name holds keyword, ASCII letters compared without case, trying positions
// only at character starts. An empty keyword matches every non-empty name.
bool AlbumNameMatches(const Text& name, const Text& keyword);
// First matching row from `start` downwards, or -1.
int FindRows(const AlbumTable& table, const Text& keyword, int start);
// First matching row from `current` - 1 upwards, or -1.
int FindRowsBackward(const AlbumTable& table, const Text& keyword, int current);

}  // namespace tarvelin::app
