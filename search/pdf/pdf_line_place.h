// Where a shown string lies against the text line being written: on it
// (beside it, raised or lowered a little like an index), above it as a
// small annotation (ruby, the reading aid set over the base characters, or
// a limit over a large symbol), or on another line. Pure geometry.
#pragma once

// The line being written, in the text's own directions: along it and
// across it, rising where the glyphs' tops point.
struct PdfLineBox {
    double start;     // where its first show began, along the line
    double end;       // where its last show ended
    double baseline;  // across the line
    double height;    // its font height
};

enum PdfShowPlace { kPdfOnLine, kPdfAboveLine, kPdfOtherLine };

// A show at most this share of the line's font height can be an annotation,
const double kPdfAnnotationMaxShare = 0.7;
// when its baseline rises over the line's letters (this share of its
// height; text beside a drop capital rises less) and at most this many
// heights,
const double kPdfAnnotationMinRise = 0.7;
const double kPdfAnnotationMaxRise = 1.5;
// and it starts within the line's span widened by this many heights.
const double kPdfAnnotationReach = 1.0;

// The place of a show starting at `along` with its baseline at `baseline`
// and its font height `height`.
PdfShowPlace PlacePdfShow(const PdfLineBox& line, double along, double baseline, double height);
