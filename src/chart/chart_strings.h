// The chart engine's string table: message texts and the default texts that the property defaults
// and their "stored only when different" rules refer to.
#pragma once

namespace corvane::chart_text {

inline constexpr const char* kAxisMinimumAboveMaximum = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* kAxisMaximumBelowMinimum = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* kAxisIncrementNegative = "Axis increment must be >= 0";
inline constexpr const char* kLabelsSeparationNegative = "Labels Separation % must be greater than 0";
inline constexpr const char* kAngleOutOfRange = "%s Angle must be between 0 and 359 degrees";
inline constexpr const char* kAxisLabels = "Axis Labels";
inline constexpr const char* kAxisTitle = "Axis Title";
inline constexpr const char* kDateTimeLogarithmic = "DateTime Axis cannot be Logarithmic";
inline constexpr const char* kLogarithmicNegative = "Logarithmic Axis Min and Max values should be >= 0";
inline constexpr const char* kPointerSizeNotPositive = "Pointer size must be greater than zero";

// The entries of a chart's context menu.
inline constexpr const char* kCopyImage = "Copy image";
inline constexpr const char* kCopyData = "Copy data";
inline constexpr const char* kResetZoom = "Reset zoom";

inline constexpr const char* kDefaultValueFormat = "#,##0.###";
inline constexpr const char* kDefaultPercentFormat = "##0.## %";
inline constexpr const char* kDefaultFontName = "Arial";
inline constexpr const char* kDefaultFontSize = "8";

}  // namespace corvane::chart_text
