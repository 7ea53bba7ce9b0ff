#pragma once
// The toolbar's "RadioEnable" button shows the unit's radio state by image number: 10 for a
// radio that is off (a click switches it on), 11 for one that is on.
class frmTevoHadraConfig;

constexpr int kRadioOffImage = 10;
constexpr int kRadioOnImage = 11;

void showRadioEnableImage(frmTevoHadraConfig &w, int imageNumber);
int radioEnableImage(const frmTevoHadraConfig &w);
