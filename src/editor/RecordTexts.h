#pragma once
// What the record editor hands the document: the texts of its fields as typed, and which
// field an edit came from.
#include <QString>
#include <array>

struct RecordTexts
{
    QString name;
    QString material;
    QString colour;
    /// Shot Power, Shot Accuracy, Acceleration, Top Speed, Swerve.
    std::array<QString, 5> statistics;
    /// The manufacturer code.
    QString code;
};

/// The field that an edit came from. Typing in one field of one boot is one undo step;
/// choosing a manufacturer and a change of statistics are steps of their own.
enum class RecordField {
    Name,
    Material,
    Colour,
    ShotPower,
    ShotAccuracy,
    Acceleration,
    TopSpeed,
    Swerve,
    Code,
    Manufacturer,
    Statistics,
};
