#include "support/RecordingState.h"

#include "engine/VexaRiftEngine.h"

RecordingState::RecordingState(VexaRiftEngine *engine, std::vector<std::string> &log, std::string name, int background)
	: GameState(engine),
	  log(log),
	  name(std::move(name)),
	  background(background)
{}

RecordingState::~RecordingState()
{
	log.push_back(name + ".deleted");
}

void RecordingState::SetupBackground()
{
	log.push_back(name + ".background");
	GetEngine()->FillBackground(background);
}

int RecordingState::InitialiseObjects()
{
	log.push_back(name + ".objects");
	GetEngine()->AddObject(new RecordingObject(GetEngine(), log, name + ".object"));
	return 0;
}

void RecordingState::MouseDown(int button, int x, int y)
{
	log.push_back(name + ".down:" + std::to_string(button) + "," + std::to_string(x) + "," + std::to_string(y));
}

void RecordingState::MouseMoved(int x, int y)
{
	log.push_back(name + ".moved:" + std::to_string(x) + "," + std::to_string(y));
}

void RecordingState::KeyDown(int keyCode)
{
	log.push_back(name + ".key:" + std::to_string(keyCode));
	if(onKey)
		onKey(keyCode);
}

void RecordingState::DrawStrings()
{
	log.push_back(name + ".strings");
}

RecordingObject::RecordingObject(BaseEngine *engine, std::vector<std::string> &log, std::string name)
	: DisplayableObject(engine),
	  log(log),
	  name(std::move(name))
{}

RecordingObject::~RecordingObject()
{
	log.push_back(name + ".deleted");
}

void RecordingObject::Update(int currentTime)
{
	log.push_back(name + ".update@" + std::to_string(currentTime));
}

void RecordingObject::Draw()
{
	log.push_back(name + ".draw");
}

void RecordingObject::RedrawBackground()
{
	log.push_back(name + ".undraw");
}

void PushKey(Uint32 type, SDL_Keycode key)
{
	SDL_Event event{};
	event.type = type;
	event.key.keysym.sym = key;
	event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
	SDL_PushEvent(&event);
}

void PushMouseButton(Uint32 type, int button, int x, int y)
{
	SDL_Event event{};
	event.type = type;
	event.button.button = static_cast<Uint8>(button);
	event.button.x = x;
	event.button.y = y;
	SDL_PushEvent(&event);
}

void PushMouseMotion(int x, int y)
{
	SDL_Event event{};
	event.type = SDL_MOUSEMOTION;
	event.motion.x = x;
	event.motion.y = y;
	SDL_PushEvent(&event);
}

void PushQuit()
{
	SDL_Event event{};
	event.type = SDL_QUIT;
	SDL_PushEvent(&event);
}

void FlushEvents()
{
	SDL_PumpEvents();
	SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}
