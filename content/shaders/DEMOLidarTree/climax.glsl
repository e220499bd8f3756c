// What the climax programs (statues, the plate, the birds) pass from their vertex to their
// shared fragment stage.
const float kClimaxStatue = 0.0;
const float kClimaxBird = 1.0;
const float kClimaxPlate = 2.0;
