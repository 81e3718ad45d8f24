#include "platform/dialog_template.h"

#include "platform/sjis.h"

namespace platform {
namespace {

class reader {
 public:
  reader(const unsigned char* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  size_t at() const { return at_; }

  WORD word() {
    if (at_ + 2 > size_) {
      ok_ = false;
      return 0;
    }
    WORD w = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
    at_ += 2;
    return w;
  }
  DWORD dword() {
    DWORD lo = word();
    DWORD hi = word();
    return lo | (hi << 16);
  }
  std::string text() {
    std::u16string units;
    for (;;) {
      WORD c = word();
      if (!ok_ || c == 0) break;
      units.push_back(static_cast<char16_t>(c));
    }
    return utf16_to_sjis(units.data(), units.size());
  }
  // 0x0000: none; 0xFFFF + number; or a text.
  template_id id() {
    template_id t;
    if (at_ + 2 > size_) {
      ok_ = false;
      return t;
    }
    WORD first = static_cast<WORD>(data_[at_] | (data_[at_ + 1] << 8));
    if (first == 0x0000) {
      at_ += 2;
      return t;
    }
    t.present = true;
    if (first == 0xFFFF) {
      at_ += 2;
      t.is_number = true;
      t.number = word();
      return t;
    }
    t.text = text();
    return t;
  }
  void align4() { at_ = (at_ + 3) & ~size_t{3}; }
  void bytes(size_t n, std::vector<unsigned char>* out) {
    if (at_ + n > size_) {
      ok_ = false;
      return;
    }
    out->assign(data_ + at_, data_ + at_ + n);
    at_ += n;
  }

 private:
  const unsigned char* data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

bool parse_dialog_template(const unsigned char* data, size_t size, dialog_template* out) {
  *out = dialog_template{};
  if (!data || size < 18) return false;
  reader r(data, size);
  out->style = r.dword();
  if ((out->style & 0xFFFF0000u) == 0xFFFF0000u) return false;  // extended template
  out->ex_style = r.dword();
  WORD count = r.word();
  out->x = static_cast<short>(r.word());
  out->y = static_cast<short>(r.word());
  out->cx = static_cast<short>(r.word());
  out->cy = static_cast<short>(r.word());
  out->menu = r.id();
  out->window_class = r.id();
  out->caption = r.text();
  if (out->style & 0x40) {
    out->point_size = r.word();
    out->font_face = r.text();
  }
  for (WORD i = 0; i < count && r.ok(); ++i) {
    r.align4();
    dialog_control_template c;
    c.style = r.dword();
    c.ex_style = r.dword();
    c.x = static_cast<short>(r.word());
    c.y = static_cast<short>(r.word());
    c.cx = static_cast<short>(r.word());
    c.cy = static_cast<short>(r.word());
    c.id = r.word();
    c.window_class = r.id();
    c.text = r.id();
    WORD extra = r.word();
    if (extra) r.bytes(extra, &c.creation_data);
    out->controls.push_back(std::move(c));
  }
  return r.ok();
}

}  // namespace platform
