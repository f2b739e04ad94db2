#pragma once
// The sample albums of the offline demo, with pictures drawn by the program itself.

#include "standin/fake_service.h"

namespace tarvelin::demo {

inline constexpr const char* DemoSpaceOwner = "10001";
inline constexpr const char* DemoGroup = "20002";

// A personal space with an ordinary, a locked and an empty album, and a group album of
// more than one page. Needs a QGuiApplication (the pictures carry text).
void FillDemoService(standin::FakeService& service);

}  // namespace tarvelin::demo
