#include "graph/TSurfaceDessin.h"

TSurfaceDessin::~TSurfaceDessin() = default;
