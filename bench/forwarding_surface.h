// A surface that passes every operation on to another one, for the benchmarks' wrappers that
// count or record what the dispatch does: each overrides only what it watches.
#ifndef ODDSMITH_BENCH_FORWARDING_SURFACE_H
#define ODDSMITH_BENCH_FORWARDING_SURFACE_H

#include "dialog/surface.h"

// The surface's operations, in the order DialogSurface declares them.
enum class SurfaceOp {
  READ_UNSIGNED,
  TEXT_LENGTH,
  READ_TEXT,
  WRITE_TEXT,
  IS_MODIFIED,
  SET_MODIFIED,
  IS_CHECKED,
  SET_CHECKED,
  SET_BAR_RANGE,
  BAR_POS,
  SET_BAR_POS,
  ENABLE_BAR_ARROWS,
  BAR_MIN,
  BAR_MAX,
  BAR_ARROWS_ENABLED,
};
constexpr int SURFACE_OP_COUNT = static_cast<int>(SurfaceOp::BAR_ARROWS_ENABLED) + 1;

class ForwardingSurface : public DialogSurface {
 public:
  // REQUIRES: inner outlives this object.
  explicit ForwardingSurface(DialogSurface& inner) : inner_(inner) {}

  UnsignedRead ReadUnsigned(int id) override {
    Saw(SurfaceOp::READ_UNSIGNED);
    return inner_.ReadUnsigned(id);
  }
  int TextLength(int id) override {
    Saw(SurfaceOp::TEXT_LENGTH);
    return inner_.TextLength(id);
  }
  int ReadText(int id, char* buffer, int max) override {
    Saw(SurfaceOp::READ_TEXT);
    return inner_.ReadText(id, buffer, max);
  }
  void WriteText(int id, const char* text) override {
    Saw(SurfaceOp::WRITE_TEXT);
    inner_.WriteText(id, text);
  }
  bool IsModified(int id) override {
    Saw(SurfaceOp::IS_MODIFIED);
    return inner_.IsModified(id);
  }
  void SetModified(int id, bool modified) override {
    Saw(SurfaceOp::SET_MODIFIED);
    inner_.SetModified(id, modified);
  }
  bool IsChecked(int id) override {
    Saw(SurfaceOp::IS_CHECKED);
    return inner_.IsChecked(id);
  }
  void SetChecked(int id, bool on) override {
    Saw(SurfaceOp::SET_CHECKED);
    inner_.SetChecked(id, on);
  }
  void SetBarRange(int id, int min, int max) override {
    Saw(SurfaceOp::SET_BAR_RANGE);
    inner_.SetBarRange(id, min, max);
  }
  int BarPos(int id) override {
    Saw(SurfaceOp::BAR_POS);
    return inner_.BarPos(id);
  }
  void SetBarPos(int id, int pos) override {
    Saw(SurfaceOp::SET_BAR_POS);
    inner_.SetBarPos(id, pos);
  }
  void EnableBarArrows(int id, bool on) override {
    Saw(SurfaceOp::ENABLE_BAR_ARROWS);
    inner_.EnableBarArrows(id, on);
  }
  int BarMin(int id) override {
    Saw(SurfaceOp::BAR_MIN);
    return inner_.BarMin(id);
  }
  int BarMax(int id) override {
    Saw(SurfaceOp::BAR_MAX);
    return inner_.BarMax(id);
  }
  bool BarArrowsEnabled(int id) override {
    Saw(SurfaceOp::BAR_ARROWS_ENABLED);
    return inner_.BarArrowsEnabled(id);
  }

 protected:
  ~ForwardingSurface() = default;
  // Told of every operation before it goes on.
  virtual void Saw(SurfaceOp /*op*/) {}

 private:
  DialogSurface& inner_;
};

#endif
