// ImageList: named pictures for the controls that show small images beside their items (the tree
// view). Pictures are added at run time under a key:
//
//   imgList.ListImages.Clear();
//   imgList.ListImages.Add("About", LoadPicture("\\GUI\\Tree\\MainAbout.gif"));
//   treeO.ImageList = &imgList;
//
// Items are numbered from 1 in the order they were added. Keys are unique; an unknown key or index
// raises an error, as does a key that is already taken. The list is emptied on every load of its form.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/picture.h"

namespace platform::forms {

class ImageList;

struct ListImage {
    std::string Key;
    forms::Picture Picture;
};

// A 1-based index or a key of an item, as the collections take them: `Item(3)`, `Item("About")`.
class ItemRef {
public:
    ItemRef() = default;  // none
    ItemRef(int index) : index_(index), valid_(true) {}
    ItemRef(const char* key) : key_(key ? key : ""), byKey_(true), valid_(true) {}
    ItemRef(std::string key) : key_(std::move(key)), byKey_(true), valid_(true) {}
    bool IsNone() const { return !valid_; }
    bool ByKey() const { return byKey_; }
    int IndexValue() const { return index_; }
    const std::string& KeyValue() const { return key_; }
    std::string Describe() const { return byKey_ ? "\"" + key_ + "\"" : std::to_string(index_); }

private:
    int index_ = 0;
    std::string key_;
    bool byKey_ = false;
    bool valid_ = false;
};

class ListImageCollection {
    int count() const { return static_cast<int>(items_.size()); }

public:
    explicit ListImageCollection(ImageList& owner) : owner_(owner) {}
    ListImageCollection(const ListImageCollection&) = delete;

    Prop<&ListImageCollection::count> Count{this};

    // Adds at the end (or before the 1-based index) and returns the new item.
    ListImage& Add(std::string key, forms::Picture picture);
    ListImage& Add(int index, std::string key, forms::Picture picture);
    void Remove(ItemRef item);
    void Clear();
    ListImage& Item(ItemRef item);
    ListImage& operator()(ItemRef item) { return Item(item); }

    // Toolkit side: the item with the key, or null; without loading the form.
    const ListImage* Find(const std::string& key) const;
    void Touch() const;

private:
    friend class ImageList;
    std::size_t PositionOf(const ItemRef& item) const;

    ImageList& owner_;
    std::vector<std::unique_ptr<ListImage>> items_;
};

class ImageList : public Control {
    int imageWidth() const;
    int imageHeight() const;

public:
    ImageList(ContainerRef container, std::string name, int index = -1);

    // The size in pixels of the images' box: the first picture's size.
    Prop<&ImageList::imageWidth> ImageWidth{this};
    Prop<&ImageList::imageHeight> ImageHeight{this};

    ListImageCollection ListImages{*this};

    // Toolkit side: the box size without loading the form.
    SIZE ImageSize() const;

protected:
    void ResetToDesign() override { ListImages.items_.clear(); }
};

}  // namespace platform::forms
