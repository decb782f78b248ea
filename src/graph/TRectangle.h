#pragma once

// A rectangle in canvas pixels. Right and Bottom are the first column and row
// outside it, so width = Right - Left and height = Bottom - Top.
struct TRectangle {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int largeur() const { return Right - Left; }
    int hauteur() const { return Bottom - Top; }

    friend bool operator==(const TRectangle&, const TRectangle&) = default;
};
