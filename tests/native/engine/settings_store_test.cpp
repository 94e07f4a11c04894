// The memory settings store keeps the settings contract; the exact change probe is its own.
#include <gtest/gtest.h>

#include "engine/settings_store_memory.h"
#include "tests/native/engine/settings_contract.h"

namespace zorbel {
namespace {

using namespace contract;

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemorySettingsStore);
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, VariablesContract, MemorySettingsStore);

TEST(SettingsStoreMemory, EveryWriteChangesTheKeyStamp) {
    MemorySettingsStore store;
    write_setting_text(store, "SOFTWARE\\Zorbel\\Name", "v");
    KeyStamp before, after;
    ASSERT_TRUE(store.key_stamp(SettingsRoot::kCurrentUser, "SOFTWARE\\Zorbel", &before));
    write_setting_text(store, "SOFTWARE\\Zorbel\\Name", "w");
    ASSERT_TRUE(store.key_stamp(SettingsRoot::kCurrentUser, "SOFTWARE\\Zorbel", &after));
    EXPECT_NE(before.stamp, after.stamp);
}

}  // namespace
}  // namespace zorbel
