#pragma once

// Pen and brush styles of the drawing surfaces.
enum class TStylePlume { plein, tirets, pointilles, aucun };
enum class TStyleBrosse { plein, aucun };
