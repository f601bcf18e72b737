// Every command text the program sends, built in one place. Numbers are decimal ASCII.
#pragma once

#include <string>
#include <string_view>

#include "common/basic.h"

namespace qor::cmd {

// Read requests.
std::string RdModel();           // "*RD,MODEL;"
std::string RdVer();             // "*RD,VER;"
std::string RdOn(int zone);      // "*RD,ON,1;"
std::string RdVol(int zone);     // "*RD,VOL,1;"
std::string RdLow(int zone);     // "*RD,LOW,1;"
std::string RdHigh(int zone);    // "*RD,HIGH,1;"
std::string RdVolMax(int zone);  // "*RD,VOLMAX,1;"
std::string RdGain(int input);   // "*RD,GAIN,1;"
std::string RdSrc(int zone);     // "*RD,SRC,1;"
std::string RdLink(int zone);    // "*RD,LINK,1;"
std::string RdTemp();            // "*RD,TEMP;"
std::string RdClk();             // "*RD,CLK;"
std::string RdEvt(int event);    // "*RD,EVT,7;" (not padded)
std::string RdPres(int preset);  // "*RD,PRES,3;"
std::string TunFreqRead();       // "*TUN,FREQ;"
std::string RdTunSens();         // "*RD,TUN,SENS;"

// Set commands.
std::string ClkSet(const DateTime& t);  // "*CLK,SET,05,03,2024,09,07,03;"
// Temperature limits and offset as start-up, the manual connection and the settings panel send
// them: 0..9 get a leading zero, the offset -9..-1 is "-0" and the digit, the rest plain decimal.
// The value is a numeric text, rounded to a whole number.
std::string TempMin(std::string_view value);
std::string TempMax(std::string_view value);
std::string TempCal(std::string_view value);
// Volume, bass and treble carry the literal 2 the device expects before the value.
std::string Vol(int zone, int value);     // "*VOL,1,2,40;"
std::string Low(int zone, int value);     // "*LOW,1,2,-3;"
std::string High(int zone, int value);    // "*HIGH,1,2,5;"
std::string Max(int zone, int value);     // "*MAX,1,60;"
std::string Gain(int input, int value);   // "*GAIN,2,5;"
std::string On(int zone);                 // "*ON,1;"
std::string Off(int zone);                // "*OFF,1;"
std::string Src(int zone, int source);    // "*SRC,1,2;"  1 aux, 2 tuner
std::string LinkSet(int zone, int link);  // "*LINK,1,0;"
std::string TunStep(int direction);       // "*TUN,1;" up, "*TUN,2;" down
std::string TunSearch(int direction);     // "*TUN,SEARCH,1;" next, "*TUN,SEARCH,2;" previous
std::string TunPres(int preset);          // "*TUN,PRES,3;"
std::string TunMem(int preset);           // "*TUN,MEM,3;"
std::string TunSens(int sensitivity);     // "*TUN,SENS,1;"  1 High, 2 Mid, 3 Low
std::string TunFreq(std::string_view mhz, std::string_view tenths);  // "*TUN,FREQ,88,8;"
std::string TunFreqEmptyPreset();                                    // "*TUN,FREQ,88,8;"
std::string EvtClr(std::string_view number);  // "*EVT,CLR,01;" number as the caller formats it
std::string EvtSet(std::string_view fields);  // "*EVT,SET," + fields + ";"

// A configuration upload's commands. The zone or preset is put in as the key spells it, and the
// temperatures as the user wrote their digits.
std::string Vol(std::string_view zone, int value);         // "*VOL,1,2,40;"
std::string High(std::string_view zone, int value);        // "*HIGH,1,2,5;"
std::string Low(std::string_view zone, int value);         // "*LOW,1,2,-3;"
std::string Max(std::string_view zone, int value);         // "*MAX,1,60;"
std::string GainTwoDigits(int input, int value);           // "*GAIN,1,05;", "*GAIN,1,30;"
std::string On(std::string_view zone);                     // "*ON,1;"
std::string Off(std::string_view zone);                    // "*OFF,1;"
std::string Src(std::string_view zone, int source);        // "*SRC,1,2;"
std::string LinkSet(std::string_view zone, int link);      // "*LINK,1,0;"
std::string TunPres(std::string_view preset);              // "*TUN,PRES,3;"
std::string TunMem(std::string_view preset);               // "*TUN,MEM,3;"
std::string TempMinDigits(std::string_view digits);        // "*TEMP,MIN,5;"
std::string TempMaxDigits(std::string_view digits);        // "*TEMP,MAX,40;"
std::string TempCalDigits(std::string_view signedDigits);  // "*TEMP,CAL,-3;", "*TEMP,CAL,+3;"

// The two models, as DeviceModel holds them. The program compares a model with these upper-cased.
inline constexpr std::string_view kModelWithoutTuner = "QOR 81";
inline constexpr std::string_view kModelWithTuner = "QOR 82";
bool IsKnownModel(std::string_view model);      // either model, in any case
bool IsTunerModel(std::string_view model);      // "QOR 82" in any case
bool IsTunerlessModel(std::string_view model);  // "QOR 81" in any case

// Model answers.
// "1" -> "QOR 81", "2" -> "QOR 82", anything else "".
std::string ModelFromCode(std::string_view code);
// The display text of a model: "Q O R  8.1", "Q O R  8.2"; "" for others.
std::string ModelDisplayText(std::string_view model);
// Model of an answer read by field 3 ("*RT,MODEL,x,2;" -> "QOR 82"); "" when none.
std::string ModelFromAnswer(std::string_view answer);

}  // namespace qor::cmd
