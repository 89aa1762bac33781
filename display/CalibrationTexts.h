#pragma once
// The fixed texts of the calibration window, exactly as the operator sees them (UTF-8).

namespace orvix::calibtext {

inline constexpr const char* kCaption = "Wprowadzanie kalibracji paska";
// The dimension page: range sizes, typical and limit magnifications over the range buttons.
inline constexpr const char* kSizes = " 1mm    500µm   200µm   100µm    50µm    20µm     10µm      5µm      2µm      1µm";
inline constexpr const char* kTypical = "Śr.magn.   75        150        380       750       1,5k       3,8k      7,5k       15k       38k       75k  ";
inline constexpr const char* kLimits = "Gr.magn.       110        220        545      1,09k    2,18k     5,45k    10,9k     21,8k     54,5k";
// Steps 1..7 of the dimension page (step 1 is the range group's caption).
inline constexpr const char* kSteps[7] = {
    "  1. Wybrać wymiar znacznika dla którego będzie wprowadzana korekta  ",
    "2. Wykonać zebranie jednego obrazka dla wybranego zakresu.",
    "3. Wprowadzić wartość wymiaru odpowiadającą zaznaczonemu odcinkowi",
    "4. Nacisnać klawisz \" A - B -100 \"  i zaznaczyć na ekranie  odcinek.",
    "5. Jeżeli potrzeba to wpisać ręcznie wartość korekcji.",
    "6. W celu sprawdzenia poprawności nacisnać klawisz \" A - B - kor\"  i zaznaczyć na ekranie  odcinek.",
    "7. Wykonać zapamiętanie w tablicy , a nastepnie powtórzyć czynności dla kolejnych wymiarów.",
};
// Steps 1..3 of the kV page.
inline constexpr const char* kKVSteps[3] = {
    "1. Ustawić wartość wysokiego napięcia na pulpicie mikroskopu.",
    "2. Ustawić ta sama wartość klawiszami poniżej dla której jest programowany eeprom w PLM7731.",
    "3. Wykonać zapis.",
};

}  // namespace orvix::calibtext
