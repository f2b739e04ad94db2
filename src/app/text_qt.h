#pragma once
// Conversions between engine Text (code page 936) and QString, at the window's edge.

#include <QString>

#include "port/types.h"

namespace tarvelin::app {

QString ToQString(const Text& text);
Text ToText(const QString& text);

}  // namespace tarvelin::app
