// The calibration window: its captions and range buttons, the kV spin and its command
// bytes, the correction computed from a measurement only with "A - B - 100" down, the
// range table ("Wprowadz do tablicy" with no range or no number stores nothing), the key
// filters, and "Zapis nastaw" writing the corrections into conf300.dat or showing why not.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "ConfigFile.h"
#include "SettingsConstants.h"
#include "FakeMainWindowLink.h"
#include "ScriptedDialogs.h"
#include "Tmodul_zew.h"

namespace orvix {
namespace {

struct Calibration : ::testing::Test {
  SharedState s;
  PictureFolders folders;
  SettingsFile settingsFile{s, folders};
  StationStrip strip{s};
  SimulatedScanUnit unit;
  test::ScriptedDialogs dialogs;
  test::FakeMainWindowLink main;
  std::unique_ptr<Tmodul_zew> w;
  void SetUp() override {
    s.UnitScale = 12000;
    s.CorrectionTable.fill(100);
    w = std::make_unique<Tmodul_zew>(s, dialogs, settingsFile, strip, unit);
    w->AttachMainWindow(&main);
  }
  void Type(QLineEdit* e, const QString& text, int key = 0) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    if (!QApplication::sendEvent(e, &press) || press.isAccepted()) {}
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(e, &release);
  }
};

// The caption fits inside the part of the button the style draws its text in.
void ExpectCaptionWhole(QPushButton* b) {
  QStyleOptionButton o;
  o.initFrom(b);
  o.text = b->text();
  const QRect inside = b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b);
  EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), inside.width())
      << b->text().toStdString();
}

TEST_F(Calibration, WindowAndControls) {
  EXPECT_EQ(w->windowTitle(), "Wprowadzanie kalibracji paska");
  EXPECT_EQ(w->size(), QSize(769, 246));
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->Button5->text(), "Kalibracja wymiarów");
  EXPECT_EQ(w->Button3->text(), "Ustawianie progów KV");
  EXPECT_EQ(w->Button2->text(), "Zapis do modułu PLM7731");
  EXPECT_EQ(w->Button4->text(), "Wprowadz do tablicy");
  EXPECT_EQ(w->SpeedButton1->text(), "A - B - 100");
  EXPECT_EQ(w->SpeedButton2->text(), "A - B - kor");
  EXPECT_EQ(w->GroupBox1->title(),
            "  1. Wybrać wymiar znacznika dla którego będzie wprowadzana korekta  ");
  bool step4 = false, step6 = false;
  for (QLabel* l : w->Panel2->findChildren<QLabel*>()) {
    step4 |= l->text() == "4. Nacisnać klawisz \" A - B -100 \"  i zaznaczyć na ekranie  odcinek.";
    step6 |= l->text() ==
             "6. W celu sprawdzenia poprawności nacisnać klawisz \" A - B - kor\"  i zaznaczyć na "
             "ekranie  odcinek.";
  }
  EXPECT_TRUE(step4 && step6);
  for (int i = 0; i < 14; ++i) {
    QRadioButton* b = w->RangeRadios[size_t(i)];
    EXPECT_EQ(b->property("tag").toInt(), 100 + i);
    EXPECT_EQ(b->geometry(), QRect(57 + 40 * i, 35, 15, 17));
    EXPECT_EQ(b->parentWidget(), w->RadioButton1->parentWidget());
    EXPECT_EQ(b->isVisibleTo(w.get()), i < 10) << i;
  }
  w->FormOtwieraj();
  EXPECT_EQ(s.CalibrationOpen.load(), 1);
  EXPECT_TRUE(w->Panel2->isVisible());
  EXPECT_FALSE(w->Panel1->isVisible());
  EXPECT_EQ(w->frameGeometry().right(), 100 + 1106 - 1 - 10);
  EXPECT_EQ(w->y(), 5);
  // The open page's button shows its caption in bold, whole.
  EXPECT_TRUE(w->Button5->font().bold());
  ExpectCaptionWhole(w->Button5);
  w->Button3Click();
  EXPECT_TRUE(w->Panel1->isVisible());
  EXPECT_FALSE(w->Button8->isVisible());
  EXPECT_TRUE(w->Button3->font().bold());
  ExpectCaptionWhole(w->Button3);
  w->Button1Click();
  EXPECT_EQ(s.CalibrationOpen.load(), 0);
  EXPECT_EQ(s.MeasureOn.load(), 0);
  EXPECT_FALSE(w->isVisible());
}

TEST_F(Calibration, KVSpinAndCommand) {
  w->SpinButton1DownClick();
  EXPECT_EQ(w->KVSetting, 0);
  EXPECT_EQ(w->Label3->text(), "0 kV");
  for (int i = 0; i < 60; ++i) w->SpinButton1UpClick();
  EXPECT_EQ(w->KVSetting, 49);
  for (int i = 0; i < 37; ++i) w->SpinButton1DownClick();
  EXPECT_EQ(w->Label3->text(), "12 kV");
  for (int i = 0; i < 8; ++i) w->SpinButton1UpClick();
  s.AcquisitionBusy = 1;  // a scan runs: the send would report it finished
  s.AcquisitionOn = 1;
  w->Button2Click();
  EXPECT_EQ(w->UnitCommand[26], 204);
  EXPECT_EQ(w->UnitCommand[28], 36);
  EXPECT_EQ(s.AcquisitionBusy.load(), 1);
  s.AcquisitionBusy = 0;
  s.AcquisitionOn = 0;
  w->Button2Click();
  EXPECT_EQ(s.AcquisitionBusy.load(), 0);
}

TEST_F(Calibration, MeasureComputeStore) {
  w->FormOtwieraj();
  w->Edit1->setText("5");
  w->Edit22->setText("130");
  w->SpeedButton1Click();
  EXPECT_EQ(w->Edit22->text(), "100");
  EXPECT_TRUE(w->SpeedButton1->isChecked());
  EXPECT_FALSE(w->SpeedButton2->isChecked());
  EXPECT_EQ(main.calls.back(), "measure");
  EXPECT_EQ(s.BarPixels2, 240);  // 5 µm at 12000 with correction 100
  EXPECT_EQ(s.BarNanometres, 5000);
  w->MeasurementFinished(300);
  EXPECT_EQ(w->Edit22->text(), "120");

  // A reference length that is empty, not a number or zero changes nothing.
  for (const char* bad : {"", "0", "E", ","}) {
    w->Edit1->setText(bad);
    w->MeasurementFinished(300);
    EXPECT_EQ(w->Edit22->text(), "120") << bad;
  }
  // With "A - B - kor" down the measurement only checks the correction.
  w->Edit1->setText("10");
  w->SpeedButton2Click();
  EXPECT_TRUE(w->SpeedButton2->isChecked());
  EXPECT_FALSE(w->SpeedButton1->isChecked());
  EXPECT_EQ(s.BarPixels2, 288);  // the bar now with 120 %
  w->MeasurementFinished(300);
  EXPECT_EQ(w->Edit22->text(), "120");

  // No range checked: nothing stored.
  w->Button4Click();
  EXPECT_EQ(s.CorrectionTable[3], 100);
  w->RangeRadios[3]->click();  // range 3's correction shown, the measurement dropped
  EXPECT_EQ(w->Edit22->text(), "100");
  EXPECT_EQ(main.calls.back(), "drop");
  EXPECT_FALSE(w->SpeedButton2->isChecked());
  w->Edit22->setText("180");
  w->Button4Click();
  EXPECT_EQ(s.CorrectionTable[3], 150);
  EXPECT_EQ(w->Edit22->text(), "150");
  EXPECT_EQ(w->RangeRadios[3]->palette().color(QPalette::Window), QColor(255, 0, 0));
  w->Edit22->setText("");
  w->Button4Click();
  EXPECT_EQ(s.CorrectionTable[3], 150);  // no number: nothing changes
}

TEST_F(Calibration, KeyFiltersOfTheBoxes) {
  w->show();
  w->Edit1->clear();
  for (const char* k : {"1", "x", ".", "5", ",", "-", "E", "3"}) Type(w->Edit1, k);
  EXPECT_EQ(w->Edit1->text(), "1,5E3");
  w->Edit22->clear();
  for (const char* k : {"2", "a", "5", ",", "0"}) Type(w->Edit22, k);
  EXPECT_EQ(w->Edit22->text(), "200");  // 250 limited to 200 when the key comes up
  Type(w->Edit22, "\b", Qt::Key_Backspace);
  EXPECT_EQ(w->Edit22->text(), "20");
}

TEST_F(Calibration, SaveWritesTheCorrections) {
  QTemporaryDir dir;
  folders.ProgramDir = dir.path().toStdString();
  s.CorrectionTable[0] = 120;
  s.CorrectionTable[13] = 55;
  s.VisualWorkMode = 0x23;
  w->Button8Click();
  EXPECT_TRUE(dialogs.shown.empty());
  SharedState loaded;
  ASSERT_TRUE(LoadConfig(loaded, folders.ProgramDir).ok);
  EXPECT_EQ(loaded.Config.DimCalibration(1), 120);
  EXPECT_EQ(loaded.Config.DimCalibration(14), 55);
  // A folder that cannot take the file: the window shows why.
  folders.ProgramDir = dir.path().toStdString() + "/missing/deeper";
  w->Button8Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Error);
  EXPECT_EQ(dialogs.shown[0].text.rfind(settings::kSaveFailedHead, 0), 0u);
}

}  // namespace
}  // namespace orvix
