#include "app/browser_display.h"

#include <QWebEnginePage>
#include <QWebEngineSettings>

namespace tarvelin::app {

void SetBrowserDisplayValue(QWebEnginePage* page, BrowserValue value, bool off) {
  QWebEngineSettings* settings = page->settings();
  switch (value) {
    case BrowserValue::Animations:
      settings->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, !off);
      break;
    case BrowserValue::InlineImages:
      settings->setAttribute(QWebEngineSettings::AutoLoadImages, !off);
      break;
    case BrowserValue::BackgroundSounds:
      page->setAudioMuted(off);
      break;
    case BrowserValue::InlineVideos:
      settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, off);
      break;
  }
}

bool BrowserDisplayValue(QWebEnginePage* page, BrowserValue value) {
  QWebEngineSettings* settings = page->settings();
  switch (value) {
    case BrowserValue::Animations:
      return settings->testAttribute(QWebEngineSettings::ScrollAnimatorEnabled);
    case BrowserValue::InlineImages:
      return settings->testAttribute(QWebEngineSettings::AutoLoadImages);
    case BrowserValue::BackgroundSounds:
      return !page->isAudioMuted();
    case BrowserValue::InlineVideos:
      return !settings->testAttribute(QWebEngineSettings::PlaybackRequiresUserGesture);
  }
  return false;
}

void ApplyDownloadDisplaySettings(QWebEnginePage* page) {
  SetBrowserDisplayValue(page, BrowserValue::Animations, true);
  SetBrowserDisplayValue(page, BrowserValue::InlineImages, false);
  SetBrowserDisplayValue(page, BrowserValue::BackgroundSounds, true);
  SetBrowserDisplayValue(page, BrowserValue::InlineVideos, true);
}

}  // namespace tarvelin::app
