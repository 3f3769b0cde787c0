#include "platform/forms/image_list.h"

namespace platform::forms {

ImageList::ImageList(ContainerRef container, std::string name, int index) : Control(container, std::move(name), index) {}

SIZE ImageList::ImageSize() const {
    return ListImages.items_.empty() ? SIZE{0, 0} : ListImages.items_.front()->Picture.PixelSize();
}

int ImageList::imageWidth() const { return ImageSize().cx; }
int ImageList::imageHeight() const { return ImageSize().cy; }

void ListImageCollection::Touch() const { owner_.Touch(); }

std::size_t ListImageCollection::PositionOf(const ItemRef& item) const {
    if (item.ByKey()) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i]->Key == item.KeyValue()) return i;
    } else if (!item.IsNone() && item.IndexValue() >= 1 && item.IndexValue() <= count()) {
        return static_cast<std::size_t>(item.IndexValue() - 1);
    }
    throw Error("The image " + item.Describe() + " is not in " + owner_.DisplayName());
}

ListImage& ListImageCollection::Add(std::string key, forms::Picture picture) { return Add(0, std::move(key), std::move(picture)); }

ListImage& ListImageCollection::Add(int index, std::string key, forms::Picture picture) {
    Touch();
    if (!picture) throw Error("An image of " + owner_.DisplayName() + " needs a picture");
    if (!key.empty() && Find(key)) throw Error("The key \"" + key + "\" is already used in " + owner_.DisplayName());
    if (index < 0 || index > count() + 1) throw Error("The index " + std::to_string(index) + " is outside " + owner_.DisplayName());
    auto position = index == 0 ? items_.end() : items_.begin() + (index - 1);
    auto it = items_.insert(position, std::make_unique<ListImage>(ListImage{std::move(key), std::move(picture)}));
    return **it;
}

void ListImageCollection::Remove(ItemRef item) {
    Touch();
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(PositionOf(item)));
}

void ListImageCollection::Clear() {
    Touch();
    items_.clear();
}

ListImage& ListImageCollection::Item(ItemRef item) {
    Touch();
    return *items_[PositionOf(item)];
}

const ListImage* ListImageCollection::Find(const std::string& key) const {
    if (key.empty()) return nullptr;
    for (const auto& i : items_)
        if (i->Key == key) return i.get();
    return nullptr;
}

}  // namespace platform::forms
