#include "screens/pointer_sparkles.h"

#include <memory>

#include "app/globals.h"
#include "level/particle.h"
#include "platform/services.h"

void AddPointerSparkles(float* sparkleTimer, float dt) {
  *sparkleTimer += dt;
  while (*sparkleTimer > 2.0f) {
    *sparkleTimer -= 2.0f;
    auto p = std::make_unique<Particle>();
    p->x = static_cast<float>(PointerX + 12 - RandomInt(0, 23));
    p->y = static_cast<float>(PointerY + RandomInt(0, 15));
    p->direction = static_cast<float>(98 - RandomInt(0, 15));
    p->speed = 3.5f;
    p->acceleration = -0.003f;
    p->alphaMode = kAlphaFadeOut;
    p->alpha1 = 0.5f;
    p->scaleMode = kScaleShrink;
    p->scale0 = 0.2f;
    p->scale1 = 1.0f;
    p->duration = 250;
    p->imageId = kSparkleImage;
    ParticleList::Add(std::move(p));
  }
}
