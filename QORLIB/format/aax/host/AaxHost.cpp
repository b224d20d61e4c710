#include "QORLIB/format/aax/host/AaxHost.h"

#include "QORLIB/format/aax/sdk/AAX_Enums.h"

AaxHost::AaxHost(std::unique_ptr<AaxModule> module) : module_(std::move(module)) {}

AaxHost::~AaxHost()
{
    if (started_)
        shutdown();
}

ACFRESULT AaxHost::startup()
{
    started_ = true;
    return module_->entry().startup(&services_);
}

ACFRESULT AaxHost::registerPlugin()
{
    collection_ = std::make_unique<AaxCollection>(options_);
    services_.setCollection(collection_.get());
    definition_ = nullptr;
    const ACFRESULT result = module_->entry().registerPlugin(&services_, &definition_);
    services_.setCollection(nullptr);
    return result;
}

ACFRESULT AaxHost::canUnloadNow() { return module_->entry().canUnloadNow(); }

ACFRESULT AaxHost::shutdown()
{
    started_ = false;
    return module_->entry().shutdown(&services_);
}

std::unique_ptr<AaxInstance> AaxHost::createInstance(uint32_t stemFormat, std::string& error, bool withGUI)
{
    if (collection_ == nullptr || collection_->effects.empty())
    {
        error = "the module registered no effect";
        return nullptr;
    }
    const AaxEffectRecord& effect = *collection_->effects.front().record;
    // The host picks the procedure by its stem format; the last component offering it wins.
    for (auto c = effect.components.rbegin(); c != effect.components.rend(); ++c)
        for (std::size_t p = 0; p < c->procedures.size(); ++p)
            if (uint32_t(aaxProperty(c->procedures[p].properties, AAX_eProperty_InputStemFormat, 0)) == stemFormat)
            {
                auto instance = std::make_unique<AaxInstance>(effect, *c, p, withGUI);
                if (!instance->ok())
                {
                    error = instance->error();
                    return nullptr;
                }
                return instance;
            }
    error = "the effect has no process procedure for that stem format";
    return nullptr;
}
