#include "core/LogoPreview.h"

#include "core/CreatorMath.h"

ScaledSize ScaleLogo(int32_t width, int32_t height, double scale) {
    return {RoundHalfEven(width * scale), RoundHalfEven(height * scale)};
}

PreviewRect PreviewLogoRect(int32_t sW, int32_t sH, int32_t pW, int32_t pH) {
    int32_t w = sW, h = sH;
    if ((sW > pW || sH > pH) && sW > 0 && sH > 0) {
        const auto fullWidth = [&] {
            w = pW;
            h = RoundHalfEven(static_cast<double>(pW) / sW * sH);
        };
        const auto fullHeight = [&] {
            h = pH;
            w = RoundHalfEven(static_cast<double>(pH) / sH * sW);
        };
        if (sW > sH) {
            fullWidth();
            if (h > pH)
                fullHeight();
        } else {
            fullHeight();
            if (w > pW)
                fullWidth();
        }
    }
    return {RoundHalfEven((pW - w) / 2.0), RoundHalfEven((pH - h) / 2.0), w, h};
}

int32_t CornerKey(const std::array<uint32_t, 4>& corners) {
    int best = 0, bestCount = -1;
    for (int i = 0; i < 4; ++i) {
        int count = 0;
        for (int j = 0; j < 4; ++j)
            if (j != i && corners[j] == corners[i])
                ++count;
        if (count > bestCount) {
            best = i;
            bestCount = count;
        }
    }
    return bestCount > 0 ? static_cast<int32_t>(corners[best]) : -1;
}

bool IsLargeLogo(int32_t sW, int32_t sH, int32_t screenWidth, int32_t screenHeight) {
    return sW > screenWidth || sH > screenHeight;
}
