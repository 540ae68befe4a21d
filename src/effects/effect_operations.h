// The 29 transition effects, one operation each, named after what they show.
// Each supplies its set-up and its frames; the catalogue gives each its code
// and name, and `run_effect` wraps it in the opening copy and the final frame.
#pragma once

namespace showsaver {

class Transition;

namespace transitions {

// Split and box (codes 1, 2, 10).
void SplitApartHorizontal(Transition& transition);
void SplitApartVertical(Transition& transition);
void BoxOut(Transition& transition);

// Tiles and blinds (codes 3, 4, 9).
void RandomTiles(Transition& transition);
void BlindsDown(Transition& transition);
void SpiralTiles(Transition& transition);

// Slide-in (codes 5 to 8).
void SlideInFromLeft(Transition& transition);
void SlideInFromRight(Transition& transition);
void SlideInFromTop(Transition& transition);
void SlideInFromBottom(Transition& transition);

// Pinch, flip and squeeze from the left (codes 11 to 15).
void PinchHorizontal(Transition& transition);
void PinchVertical(Transition& transition);
void FlipHorizontal(Transition& transition);
void FlipVertical(Transition& transition);
void SqueezeFromLeft(Transition& transition);

// Squeeze from the other edges (codes 16 to 18).
void SqueezeFromTop(Transition& transition);
void SqueezeFromRight(Transition& transition);
void SqueezeFromBottom(Transition& transition);

// Wipes (codes 19 to 22).
void WipeFromLeft(Transition& transition);
void WipeFromTop(Transition& transition);
void WipeFromRight(Transition& transition);
void WipeFromBottom(Transition& transition);

// Centre zoom (codes 23 to 25).
void ZoomInFromCentre(Transition& transition);
void ZoomOutToCentre(Transition& transition);
void ShrinkThroughBlack(Transition& transition);

// Push (codes 26 to 29).
void PushFromLeft(Transition& transition);
void PushFromTop(Transition& transition);
void PushFromRight(Transition& transition);
void PushFromBottom(Transition& transition);

}  // namespace transitions
}  // namespace showsaver
