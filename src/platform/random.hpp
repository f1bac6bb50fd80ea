#pragma once
// The seam: the random source.
namespace quimbel::platform {

class Random {
 public:
  virtual ~Random() = default;
  // Reseeds the generator from the system clock.
  virtual void Reseed() = 0;
  // A uniform draw in [0, 1).
  virtual double Next() = 0;
};

}  // namespace quimbel::platform
