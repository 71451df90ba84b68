#pragma once

#include <QString>

// Error numbers of the sound command interface. Answers carry them as
// "Error" + number; ErrorText gives the message shown to the learner.
namespace MciError {

inline constexpr int None = 0;
inline constexpr int UnrecognizedKeyword = 259;
inline constexpr int UnrecognizedCommand = 261;
inline constexpr int InvalidDeviceName = 263;
inline constexpr int CannotLoadDriver = 266;
inline constexpr int BadInteger = 270;
inline constexpr int MissingParameter = 273;
inline constexpr int UnsupportedFunction = 274;
inline constexpr int FileNotFound = 275;
inline constexpr int DeviceNotReady = 276;
inline constexpr int OutOfRange = 282;
inline constexpr int FileNotSaved = 286;
inline constexpr int DuplicateAlias = 289;
inline constexpr int MissingDeviceName = 292;
inline constexpr int NoClosingQuote = 294;
inline constexpr int InvalidFile = 296;
inline constexpr int NewRequiresAlias = 299;
inline constexpr int NoOutputDevice = 326;
inline constexpr int NoInputDevice = 328;

// The learner's text for an error number (German).
QString ErrorText(int code);

}  // namespace MciError
